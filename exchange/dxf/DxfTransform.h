#pragma once

#include "core/Location.h"

// Places a block's contents where an INSERT puts them: rotate, then scale, then offset.
class CDxfTransform
{
public:
    double m_scaleX = 1.0;
    double m_scaleY = 1.0;
    double m_scaleZ = 1.0;
    double m_offsetX = 0.0;
    double m_offsetY = 0.0;
    double m_offsetZ = 0.0;
    double m_rotation = 0.0; // radians

    CDxfTransform() = default;

    void Apply(double& x, double& y, double& z) const;
    CLocation ApplyToLocation(const CLocation& location) const;
    // Transforms the corners (min x, min y) and (max x, max y) only, then orders each axis again.
    // An empty extent stays empty.
    void ApplyToExtent(CExtent2D& extent) const;
    // This transform inside a parent: scales multiplied and offsets added axis by axis, rotations
    // added and reduced to [0, 2pi). Without a parent, a copy.
    CDxfTransform Combine(const CDxfTransform* parent) const;
};
