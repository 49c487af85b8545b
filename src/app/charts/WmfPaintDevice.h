#pragma once

#include <memory>

#include <QByteArray>
#include <QPaintDevice>
#include <QSize>

namespace kinetra {

class WmfPaintEngine;

// A surface of a given size that keeps what is painted on it as a placeable Windows metafile,
// one metafile unit to a device pixel. Painting it again adds to the same picture.
class WmfPaintDevice final : public QPaintDevice {
public:
    // dpi is the device's logical resolution: fonts get the pixel size they get on a screen of
    // that resolution, and the file tells readers how large the picture is.
    explicit WmfPaintDevice(QSize size, int dpi = 96);
    ~WmfPaintDevice() override;
    Q_DISABLE_COPY_MOVE(WmfPaintDevice)

    QPaintEngine* paintEngine() const override;

    // The whole file of what has been painted so far.
    QByteArray metafile() const;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize m_size;
    int m_dpi;
    std::unique_ptr<WmfPaintEngine> m_engine;
};

} // namespace kinetra
