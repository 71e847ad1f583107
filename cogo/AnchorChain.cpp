#include "cogo/AnchorChain.h"

std::string TrimChainText(const std::string& text)
{
    std::string t = text;
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t'))
        t.pop_back();
    if (t.size() > 1 && t.back() == '-')
        t.pop_back();
    return t;
}

AnchorChainStep NextAnchorChainStep(const std::string& text, int pointsNeeded, const std::string& pickedName,
                                    const AnchorChainSplitter& split)
{
    AnchorChainStep step;
    std::vector<std::string> names;
    // A field that already holds a complete chain starts again with this point.
    const bool complete = split(text, pointsNeeded, &names);
    if (!complete) {
        const std::string head = TrimChainText(text);
        for (int k = pointsNeeded - 1; k >= 1; --k) {
            if (!split(head, k, &names))
                continue;
            step.previousName = names.back();
            if (names.back() == pickedName) {
                step.kind = AnchorChainStep::Duplicate;
                step.text = text;
                step.message = "Point " + pickedName + " is a duplicate point label.\n";
                return step;
            }
            step.kind = k == pointsNeeded - 1 ? AnchorChainStep::Complete : AnchorChainStep::Grow;
            step.text = head + "-" + pickedName + (step.kind == AnchorChainStep::Grow ? "-" : "");
            return step;
        }
    }
    step.kind = AnchorChainStep::NewChain;
    step.previousName.clear();
    step.text = pickedName + "-";
    return step;
}
