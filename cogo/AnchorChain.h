#pragma once

#include <functional>
#include <string>
#include <vector>

// A distance or angle field builds its value from clicked points: "A-", then "A-B-" for a three
// point angle, then the chain of names that the field's exchange turns into the value. This is
// the text side of that, free of windows, so every step can be checked alone.

// Splits a chain into exactly count names of existing points (the job's splitter in the program).
using AnchorChainSplitter = std::function<bool(const std::string& text, int count, std::vector<std::string>* names)>;

struct AnchorChainStep
{
    enum Kind {
        NewChain, // text is "name-": the first point of a new chain
        Grow,     // text is the chain so far plus "name-"
        Complete, // text is the whole chain; the field evaluates it
        Duplicate // the point repeats the chain's last one: message says so, the text stays
    };
    Kind kind = NewChain;
    std::string text;
    std::string message;
    // Grow and Complete: the chain's previous point (a construction line runs from it).
    std::string previousName;
};

// What a picked point does to the field's text, for a chain of pointsNeeded (2 or 3) points.
AnchorChainStep NextAnchorChainStep(const std::string& text, int pointsNeeded, const std::string& pickedName,
                                    const AnchorChainSplitter& split);

// The text of a chain without its trailing blanks and trailing dash ("A-B- " -> "A-B").
std::string TrimChainText(const std::string& text);
