#pragma once
// The flat look of the menu skin: buttons, edit boxes and group boxes drawn with a thin
// single line and a face that follows focus, hover and press.
#include <QProxyStyle>

namespace controls {

class FlatStyle : public QProxyStyle {
    Q_OBJECT
public:
    FlatStyle();

    void polish(QWidget* widget) override;
    void unpolish(QWidget* widget) override;
    using QProxyStyle::polish;
    using QProxyStyle::unpolish;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
};

// The one instance the skinned forms share; it lives as long as the application object.
FlatStyle* flatStyle();

} // namespace controls
