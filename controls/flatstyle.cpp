#include "flatstyle.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>

namespace controls {

namespace {
QColor mix(const QColor& a, const QColor& b, double share)
{
    return QColor::fromRgbF(a.redF() * (1 - share) + b.redF() * share,
                            a.greenF() * (1 - share) + b.greenF() * share,
                            a.blueF() * (1 - share) + b.blueF() * share);
}

void outline(QPainter* p, const QRect& r, const QColor& color)
{
    p->save();
    p->setPen(color);
    p->setBrush(Qt::NoBrush);
    p->drawRect(r.adjusted(0, 0, -1, -1));
    p->restore();
}
} // namespace

FlatStyle::FlatStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{
}

void FlatStyle::polish(QWidget* widget)
{
    QProxyStyle::polish(widget);
    // Hover changes the look, so the control must repaint on enter and leave.
    if (qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLineEdit*>(widget))
        widget->setAttribute(Qt::WA_Hover, true);
}

void FlatStyle::unpolish(QWidget* widget)
{
    if (qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLineEdit*>(widget))
        widget->setAttribute(Qt::WA_Hover, false);
    QProxyStyle::unpolish(widget);
}

void FlatStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const
{
    const QPalette& pal = option->palette;
    const bool enabled = option->state & State_Enabled;
    const bool hover = enabled && (option->state & State_MouseOver);
    const bool focus = enabled && (option->state & State_HasFocus);
    const QColor highlight = pal.color(QPalette::Highlight);
    const QColor shadow = pal.color(QPalette::Dark);

    switch (element) {
    case PE_PanelButtonCommand:
    case PE_PanelButtonBevel: {
        const bool down = option->state & (State_Sunken | State_On);
        QColor face = pal.color(QPalette::Button);
        if (down)
            face = mix(face, highlight, 0.45);
        else if (hover)
            face = mix(face, highlight, 0.2);
        painter->fillRect(option->rect, face);
        outline(painter, option->rect, (down || hover || focus) ? highlight : shadow);
        return;
    }
    case PE_FrameDefaultButton:
        return;
    case PE_FrameFocusRect:
        // Focus is shown by the outline colour, not by a dotted rectangle.
        if (qobject_cast<const QAbstractButton*>(widget))
            return;
        break;
    case PE_PanelLineEdit: {
        const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
        painter->fillRect(option->rect, pal.color(QPalette::Base));
        if (frame && frame->lineWidth > 0)
            outline(painter, option->rect, (hover || focus) ? highlight : shadow);
        return;
    }
    case PE_FrameLineEdit:
        outline(painter, option->rect, (hover || focus) ? highlight : shadow);
        return;
    case PE_FrameGroupBox:
        outline(painter, option->rect, shadow);
        return;
    default:
        break;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void FlatStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                                   const QWidget* widget) const
{
    if (control == CC_GroupBox) {
        if (const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option)) {
            // One thin line whose top runs through the middle of the caption, the caption
            // set in a little from the left with a gap in the line around it.
            const QFontMetrics& fm = box->fontMetrics;
            const QRect textRect(box->rect.left() + 8, box->rect.top(), fm.horizontalAdvance(box->text) + 1, fm.height());
            QRect frameRect = box->rect;
            frameRect.setTop(box->rect.top() + (box->text.isEmpty() ? 0 : fm.height() / 2));
            painter->save();
            if (!box->text.isEmpty())
                painter->setClipRegion(QRegion(box->rect).subtracted(textRect.adjusted(-2, 0, 2, 0)));
            outline(painter, frameRect, box->palette.color(QPalette::Dark));
            painter->restore();
            if (!box->text.isEmpty())
                drawItemText(painter, textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic,
                             box->palette, box->state & State_Enabled, box->text, QPalette::WindowText);
            return;
        }
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}

int FlatStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    switch (metric) {
    case PM_ButtonShiftHorizontal:
    case PM_ButtonShiftVertical:
        return 0;
    case PM_DefaultFrameWidth:
        return 1;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

FlatStyle* flatStyle()
{
    static QPointer<FlatStyle> style;
    if (!style) {
        style = new FlatStyle;
        style->setParent(qApp);
    }
    return style;
}

} // namespace controls
