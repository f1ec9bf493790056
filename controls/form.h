#pragma once
// A screen: a top-level window with its form name as caption, placed at its designed outer
// size and position (frame included), button-face background and the default font
// "MS Sans Serif" 11 px, everything scaled with the system's resolution.
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <functional>
#include <vector>

namespace data { class DataSet; }

namespace controls {

class Form : public QWidget {
    Q_OBJECT
public:
    enum class Scaling { WithResolution, Fixed };

    // outer: designed left, top, width and height of the window with its frame, at 96 dpi.
    Form(const QString& formName, const QRect& outer, Scaling scaling = Scaling::WithResolution);
    ~Form() override;

    // Every form alive, in creation order; the first one is the main window.
    static const std::vector<Form*>& forms();
    static Form* mainForm();

    const QString& formName() const { return m_formName; }
    QRect designedOuter() const { return m_outer; }

    // Design pixels (96 dpi) to device-independent pixels of this form.
    double scaleFactor() const { return m_scale; }
    int scaled(int designPixels) const;
    // Places a control at its designed rectangle, relative to its parent's top-left corner.
    void place(QWidget* control, int left, int top, int width, int height) const;
    // The default font of the form, or another face at a designed character height.
    QFont designFont(const QString& family, int pixelHeight) const;

    // Switch primitives: show makes the form visible, brings it to the front and activates it.
    void showForm();
    void hideForm();
    // Records every show and hide request, in order (screen switching is checked with it).
    using SwitchTrace = std::function<void(Form* form, bool show)>;
    static void setSwitchTrace(SwitchTrace trace);

    // Tab order of a control among its parent's children; applyTabOrder chains them,
    // passing into containers in their own order, so Tab runs through nested group boxes.
    static void setTabOrder(QWidget* control, int order);
    void applyTabOrder();
    // The controls that can take part in Tab, in chain order (for checking the design).
    std::vector<QWidget*> tabChain() const;

    // The flat look of the menu skin on this form's buttons, edits and group boxes.
    void setMenuSkin(bool active);
    bool hasMenuSkin() const { return m_menuSkin; }

    // Data sets held by the form, in component order.
    void addDataSet(data::DataSet* dataSet);
    const std::vector<data::DataSet*>& dataSets() const { return m_dataSets; }

    // Design-time open: a failure is shown in the error box and the data set stays closed.
    static void openAtCreation(data::DataSet& dataSet);
    // Runs the form's creation handler; an error it raises is shown and creation goes on.
    static void runCreateHandler(const std::function<void()>& handler);

    // Modal result as set by buttons that carry one (0 = none).
    int modalResult() const { return m_modalResult; }
    void setModalResult(int result) { m_modalResult = result; }

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    // Whether the form may close now; the main window asks before the application ends.
    virtual bool closeQuery() { return true; }

private:
    void fitFrame();
    void applySkinTo(QWidget* root);

    QString m_formName;
    QRect m_outer;
    double m_scale = 1.0;
    bool m_menuSkin = false;
    bool m_frameFitted = false;
    int m_modalResult = 0;
    std::vector<data::DataSet*> m_dataSets;
};

} // namespace controls
