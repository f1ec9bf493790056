#include "picture.h"

#include <QImageReader>
#include <QPixmap>
#include <stdexcept>

namespace controls {

Picture::Picture(QWidget* parent)
    : QLabel(parent)
{
    setScaledContents(false);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void Picture::load(const QString& path)
{
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull())
        throw std::runtime_error(QStringLiteral("Cannot load picture %1: %2").arg(path, reader.errorString()).toStdString());
    m_image = image;
    setPixmap(QPixmap::fromImage(m_image));
    resize(m_image.size());
}

} // namespace controls
