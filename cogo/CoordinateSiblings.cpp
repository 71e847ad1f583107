#include "cogo/CoordinateSiblings.h"

std::vector<std::size_t> CoordinateSiblingsFilled(const std::vector<CoordFieldKind>& fields, std::size_t picked,
                                                  bool northingFirst)
{
    std::vector<std::size_t> out;
    if (picked >= fields.size())
        return out;
    const CoordFieldKind first = northingFirst ? CoordFieldKind::Northing : CoordFieldKind::Easting;
    const CoordFieldKind second = northingFirst ? CoordFieldKind::Easting : CoordFieldKind::Northing;
    std::vector<CoordFieldKind> wanted;
    if (fields[picked] == first)
        wanted = {second, CoordFieldKind::Elevation};
    else if (fields[picked] == second)
        wanted = {CoordFieldKind::Elevation};
    std::size_t at = picked;
    for (CoordFieldKind kind : wanted) {
        ++at;
        if (at >= fields.size() || fields[at] != kind)
            break;
        out.push_back(at);
    }
    return out;
}

std::size_t CoordinateSiblingToUnmark(const std::vector<CoordFieldKind>& fields, std::size_t picked,
                                      bool northingFirst)
{
    const CoordFieldKind first = northingFirst ? CoordFieldKind::Northing : CoordFieldKind::Easting;
    const CoordFieldKind second = northingFirst ? CoordFieldKind::Easting : CoordFieldKind::Northing;
    if (picked == 0 || picked >= fields.size() || fields[picked] != second || fields[picked - 1] != first)
        return fields.size();
    return picked - 1;
}
