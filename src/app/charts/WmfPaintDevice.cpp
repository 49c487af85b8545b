#include "charts/WmfPaintDevice.h"

#include "charts/WmfPaintEngine.h"

namespace kinetra {

namespace {

constexpr qreal MillimetresPerInch = 25.4;

} // namespace

WmfPaintDevice::WmfPaintDevice(QSize size, int dpi)
    : m_size(size), m_dpi(dpi), m_engine(std::make_unique<WmfPaintEngine>())
{
}

WmfPaintDevice::~WmfPaintDevice() = default;

QPaintEngine* WmfPaintDevice::paintEngine() const
{
    return m_engine.get();
}

QByteArray WmfPaintDevice::metafile() const
{
    return m_engine->records().placeableFile(m_size, m_dpi);
}

int WmfPaintDevice::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth:
        return m_size.width();
    case PdmHeight:
        return m_size.height();
    case PdmWidthMM:
        return qRound(m_size.width() * MillimetresPerInch / m_dpi);
    case PdmHeightMM:
        return qRound(m_size.height() * MillimetresPerInch / m_dpi);
    case PdmNumColors:
        return 1 << 24;
    case PdmDepth:
        return 24;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return m_dpi;
    case PdmDevicePixelRatio:
        return 1;
    default:
        return QPaintDevice::metric(metric);
    }
}

} // namespace kinetra
