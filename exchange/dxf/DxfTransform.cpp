#include "exchange/dxf/DxfTransform.h"

#include "core/AngleFunctions.h"

#include <cmath>
#include <utility>

void CDxfTransform::Apply(double& x, double& y, double& z) const
{
    if (m_rotation != 0.0) {
        const double c = std::cos(m_rotation);
        const double s = std::sin(m_rotation);
        const double rx = x * c - y * s;
        const double ry = x * s + y * c;
        x = rx;
        y = ry;
    }
    x = x * m_scaleX + m_offsetX;
    y = y * m_scaleY + m_offsetY;
    z = z * m_scaleZ + m_offsetZ;
}

CLocation CDxfTransform::ApplyToLocation(const CLocation& location) const
{
    CLocation out = location;
    Apply(out.x, out.y, out.z);
    return out;
}

void CDxfTransform::ApplyToExtent(CExtent2D& extent) const
{
    if (extent.IsEmpty())
        return;
    double x1 = extent.left, y1 = extent.bottom, z1 = 0.0;
    double x2 = extent.right, y2 = extent.top, z2 = 0.0;
    Apply(x1, y1, z1);
    Apply(x2, y2, z2);
    if (x1 > x2)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
    extent.left = x1;
    extent.right = x2;
    extent.bottom = y1;
    extent.top = y2;
    extent.empty = false;
}

CDxfTransform CDxfTransform::Combine(const CDxfTransform* parent) const
{
    if (!parent)
        return *this;
    CDxfTransform t;
    t.m_scaleX = m_scaleX * parent->m_scaleX;
    t.m_scaleY = m_scaleY * parent->m_scaleY;
    t.m_scaleZ = m_scaleZ * parent->m_scaleZ;
    t.m_offsetX = m_offsetX + parent->m_offsetX;
    t.m_offsetY = m_offsetY + parent->m_offsetY;
    t.m_offsetZ = m_offsetZ + parent->m_offsetZ;
    t.m_rotation = NormalizeAngle(m_rotation + parent->m_rotation);
    return t;
}
