#pragma once
// A picture control, sized to its picture.
#include <QLabel>

namespace controls {

class Picture : public QLabel {
    Q_OBJECT
public:
    explicit Picture(QWidget* parent);

    // Loads an image (a resource path such as ":/..."); an image that cannot be read throws.
    void load(const QString& path);
    const QImage& image() const { return m_image; }

private:
    QImage m_image;
};

} // namespace controls
