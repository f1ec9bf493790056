#include "form.h"

#include "dataset.h"
#include "errorreport.h"
#include "flatstyle.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QWindow>

#include <algorithm>

namespace controls {

namespace {
std::vector<Form*> g_forms;
Form::SwitchTrace g_switchTrace;
constexpr const char* kTabOrder = "quorvelTabOrder";

// The kinds of control the menu skin restyles.
bool takesSkin(const QWidget* w)
{
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w)
        || qobject_cast<const QGroupBox*>(w) || qobject_cast<const QComboBox*>(w)
        || qobject_cast<const QAbstractSpinBox*>(w);
}

void collectTabOrder(QWidget* parent, std::vector<QWidget*>& out)
{
    std::vector<QWidget*> ordered;
    for (QObject* child : parent->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w && !w->isWindow() && w->property(kTabOrder).isValid())
            ordered.push_back(w);
    }
    std::stable_sort(ordered.begin(), ordered.end(), [](QWidget* a, QWidget* b) {
        return a->property(kTabOrder).toInt() < b->property(kTabOrder).toInt();
    });
    for (QWidget* w : ordered) {
        if (w->focusPolicy() & Qt::TabFocus)
            out.push_back(w);
        collectTabOrder(w, out);
    }
}
} // namespace

Form::Form(const QString& formName, const QRect& outer, Scaling scaling)
    : QWidget(nullptr, Qt::Window)
    , m_formName(formName)
{
    g_forms.push_back(this);
    setObjectName(formName);
    setWindowTitle(formName);
    setAttribute(Qt::WA_QuitOnClose, false); // only the main window's close ends the application

    if (scaling == Scaling::WithResolution)
        m_scale = logicalDpiX() / 96.0;
    m_outer = QRect(scaled(outer.left()), scaled(outer.top()), scaled(outer.width()), scaled(outer.height()));

    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Button));
    setPalette(pal);
    setAutoFillBackground(true);
    setFont(designFont(QStringLiteral("MS Sans Serif"), 11));

    // Until the window system tells the frame's size, the client area takes the whole outer
    // size; fitFrame corrects it once the frame is known.
    move(m_outer.topLeft());
    resize(m_outer.size());
}

Form::~Form()
{
    std::erase(g_forms, this);
}

const std::vector<Form*>& Form::forms() { return g_forms; }

Form* Form::mainForm() { return g_forms.empty() ? nullptr : g_forms.front(); }

int Form::scaled(int designPixels) const
{
    return qRound(designPixels * m_scale);
}

void Form::place(QWidget* control, int left, int top, int width, int height) const
{
    control->setGeometry(scaled(left), scaled(top), scaled(width), scaled(height));
}

QFont Form::designFont(const QString& family, int pixelHeight) const
{
    QFont f(family);
    f.setPixelSize(scaled(pixelHeight));
    f.setWeight(QFont::Normal);
    f.setStyle(QFont::StyleNormal);
    return f;
}

void Form::showForm()
{
    if (g_switchTrace)
        g_switchTrace(this, true);
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void Form::hideForm()
{
    if (g_switchTrace)
        g_switchTrace(this, false);
    hide();
}

void Form::setSwitchTrace(SwitchTrace trace) { g_switchTrace = std::move(trace); }

void Form::setTabOrder(QWidget* control, int order)
{
    control->setProperty(kTabOrder, order);
}

void Form::applyTabOrder()
{
    std::vector<QWidget*> chain;
    collectTabOrder(this, chain);
    if (chain.empty())
        return;
    // The chain must start right after the window, where activation looks for the first
    // stop; Qt links only widgets that take focus, so the window does for this one call.
    const Qt::FocusPolicy policy = focusPolicy();
    setFocusPolicy(Qt::TabFocus);
    QWidget::setTabOrder(this, chain.front());
    setFocusPolicy(policy);
    for (size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

std::vector<QWidget*> Form::tabChain() const
{
    std::vector<QWidget*> chain;
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(this))
            chain.push_back(w);
    }
    return chain;
}

void Form::setMenuSkin(bool active)
{
    m_menuSkin = active;
    applySkinTo(this);
}

void Form::applySkinTo(QWidget* root)
{
    QStyle* wanted = m_menuSkin ? flatStyle() : nullptr;
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (w->isWindow() || !takesSkin(w))
            continue;
        // nullptr gives the control back the application's style.
        if (m_menuSkin ? w->style() != wanted : w->style() == flatStyle())
            w->setStyle(wanted);
    }
}

void Form::addDataSet(data::DataSet* dataSet) { m_dataSets.push_back(dataSet); }

void Form::openAtCreation(data::DataSet& dataSet)
{
    try {
        dataSet.open();
    } catch (...) {
        handleException();
    }
}

void Form::runCreateHandler(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (...) {
        handleException();
    }
}

bool Form::event(QEvent* e)
{
    switch (e->type()) {
    case QEvent::Show:
        if (m_menuSkin)
            applySkinTo(this); // controls added after the skin was switched on
        fitFrame();
        break;
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Paint:
        fitFrame();
        break;
    default:
        break;
    }
    return QWidget::event(e);
}

void Form::fitFrame()
{
    if (m_frameFitted || !isVisible() || !windowHandle() || (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    const QMargins m = windowHandle()->frameMargins();
    if (m.isNull())
        return; // no frame, or not known yet: the client area already fills the outer size
    m_frameFitted = true;
    setGeometry(m_outer.left() + m.left(), m_outer.top() + m.top(),
                m_outer.width() - m.left() - m.right(), m_outer.height() - m.top() - m.bottom());
}

void Form::closeEvent(QCloseEvent* e)
{
    // Ignored until closeQuery agrees: an error it raises leaves the window open.
    e->ignore();
    if (!closeQuery())
        return;
    e->accept();
    if (this == mainForm())
        QCoreApplication::quit();
}

} // namespace controls
