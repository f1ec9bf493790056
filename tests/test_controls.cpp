// The form-library layer: message boxes and the full stop rule, forms, labels, buttons,
// tab order over nested group boxes, the menu skin's style and the font mapping.
#include "button.h"
#include "flatstyle.h"
#include "fonts.h"
#include "form.h"
#include "groupbox.h"
#include "label.h"
#include "messagebox.h"

#include <QApplication>
#include <QFontInfo>
#include <QGlyphRun>
#include <QLineEdit>
#include <QPainter>
#include <QRawFont>
#include <QScreen>
#include <QSignalSpy>
#include <QStyleOption>
#include <QTest>
#include <QTextLayout>

using controls::Form;

class TestControls : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();

    void fullStopRule_data();
    void fullStopRule();
    void boxesCarryTheApplicationTitle();

    void formIsPlacedAsDesigned();
    void formsScaleWithTheResolution();
    void tabOrderRunsThroughNestedGroupBoxes();
    void menuSkinRestylesOnlyItsForm();

    void labelFitsItsTextAndPaintsWhenOpaque();
    void enterAndSpacePressTheFocusedButton_data();
    void enterAndSpacePressTheFocusedButton();

    void namedFacesResolveToInstalledFaces_data();
    void namedFacesResolveToInstalledFaces();
    void chineseTextInTheDefaultFontFallsBackToMing();
};

void TestControls::initTestCase()
{
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Quorvel"));
    controls::installFontSubstitutions();
}

void TestControls::fullStopRule_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letter") << "ADOTable1: Dataset not in edit or insert mode" << "ADOTable1: Dataset not in edit or insert mode.";
    QTest::newRow("digit") << "error 42" << "error 42.";
    QTest::newRow("chinese") << QStringLiteral("找不到資料庫檔案") << QStringLiteral("找不到資料庫檔案.");
    QTest::newRow("ideographic full stop") << QStringLiteral("請稍後再試。") << QStringLiteral("請稍後再試。.");
    QTest::newRow("full stop") << "Done." << "Done.";
    QTest::newRow("exclamation") << "Stop!" << "Stop!";
    QTest::newRow("hyphen just below") << "a-" << "a-";
    QTest::newRow("slash just above") << "a/" << "a/.";
    QTest::newRow("closing parenthesis") << "(a)" << "(a)";
    QTest::newRow("trailing blank") << "a " << "a ";
    QTest::newRow("empty") << "" << "";
}

void TestControls::fullStopRule()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);
    controls::BoxRecorder boxes;
    controls::showErrorBox(message);
    QCOMPARE(boxes.boxes.size(), size_t(1));
    QCOMPARE(boxes.boxes[0].kind, controls::BoxKind::Error);
    QCOMPARE(boxes.boxes[0].text, shown);
}

void TestControls::boxesCarryTheApplicationTitle()
{
    controls::BoxRecorder boxes;
    boxes.answers = {controls::Answer::No};
    controls::showNotFound();
    QCOMPARE(controls::askSaveBeforeExit(), controls::Answer::No);
    QCOMPARE(controls::askSaveBeforeExit(), controls::Answer::Cancel); // unscripted question
    controls::showApplicationError(QStringLiteral("x"));

    QCOMPARE(boxes.boxes.size(), size_t(4));
    QCOMPARE(boxes.boxes[0].caption, QStringLiteral("Quorvel"));
    QCOMPARE(boxes.boxes[0].text, QStringLiteral("找不到編號"));
    QCOMPARE(boxes.boxes[1].caption, QStringLiteral("Quorvel"));
    QCOMPARE(boxes.boxes[1].text, QStringLiteral("資料尚未存檔，是否存檔後離開？"));
    QCOMPARE(boxes.boxes[3].caption, QStringLiteral("Application Error"));
}

void TestControls::formIsPlacedAsDesigned()
{
    Form form(QStringLiteral("TAcc"), QRect(200, 112, 538, 504));
    QCOMPARE(form.windowTitle(), QStringLiteral("TAcc"));
    QVERIFY(form.isWindow());
    QVERIFY(!form.isVisible());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    // The designed size and position are those of the window with its frame.
    QCOMPARE(form.frameGeometry(), QRect(200, 112, 538, 504));
    QCOMPARE(form.font().pixelSize(), 11);
    QCOMPARE(form.palette().color(QPalette::Window), form.palette().color(QPalette::Button));
    QVERIFY(form.autoFillBackground());
    const Qt::WindowFlags flags = form.windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint) && flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
}

// Run at 96 dpi and, as its own ctest entry, at 144 dpi with Qt's own scaling switched off.
void TestControls::formsScaleWithTheResolution()
{
    const int dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
    if (dpi != 96 && dpi != 144)
        QSKIP("checked at 96 and 144 dpi only");
    const bool large = dpi == 144;
    Form scaled(QStringLiteral("TAcc"), QRect(200, 112, 538, 504));
    Form fixed(QStringLiteral("Repost1"), QRect(114, 113, 886, 622), Form::Scaling::Fixed);
    auto* button = new controls::Button(QStringLiteral("回主頁"), &scaled);
    scaled.place(button, 192, 116, 60, 25);
    scaled.show();
    fixed.show();
    QVERIFY(QTest::qWaitForWindowExposed(&scaled));
    QCOMPARE(scaled.frameGeometry(), large ? QRect(300, 168, 807, 756) : QRect(200, 112, 538, 504));
    QCOMPARE(button->geometry(), large ? QRect(288, 174, 90, 38) : QRect(192, 116, 60, 25));
    QCOMPARE(scaled.font().pixelSize(), large ? 17 : 11);
    QCOMPARE(fixed.frameGeometry(), QRect(114, 113, 886, 622));
    QCOMPARE(fixed.font().pixelSize(), 11);
}

// Tab goes through the window's controls in their order, entering each group box at its
// own place and running through its controls (and nested boxes) in their order.
void TestControls::tabOrderRunsThroughNestedGroupBoxes()
{
    Form form(QStringLiteral("f"), QRect(0, 0, 300, 300));
    auto* outer = new controls::GroupBox(QStringLiteral("outer"), &form);
    auto* inner = new controls::GroupBox(QStringLiteral("inner"), outer);
    auto* a = new QLineEdit(&form);          // window, order 2
    auto* b = new QLineEdit(outer);          // outer, order 1
    auto* c = new QLineEdit(inner);          // inner, order 0
    auto* d = new controls::Button(QStringLiteral("d"), outer); // outer, order 0
    auto* e = new controls::Button(QStringLiteral("e"), &form); // window, order 0
    auto* label = new controls::Label(QStringLiteral("l"), &form); // no tab stop
    Form::setTabOrder(a, 2);
    Form::setTabOrder(outer, 1);
    Form::setTabOrder(b, 1);
    Form::setTabOrder(inner, 2);
    Form::setTabOrder(c, 0);
    Form::setTabOrder(d, 0);
    Form::setTabOrder(e, 0);
    Q_UNUSED(label);
    form.applyTabOrder();

    const std::vector<QWidget*> expected{e, d, b, c, a};
    QCOMPARE(form.tabChain(), expected);

    // And the keyboard follows it, wrapping from the last stop to the first.
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    e->setFocus();
    std::vector<QWidget*> visited{QApplication::focusWidget()};
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(QApplication::focusWidget());
    }
    const std::vector<QWidget*> cycle{e, d, b, c, a, e};
    QCOMPARE(visited, cycle);
}

void TestControls::menuSkinRestylesOnlyItsForm()
{
    Form skinned(QStringLiteral("s"), QRect(0, 0, 200, 200));
    auto* box = new controls::GroupBox(QStringLiteral("g"), &skinned);
    auto* inBox = new controls::Button(QStringLiteral("b"), box);
    auto* edit = new QLineEdit(&skinned);
    auto* label = new controls::Label(QStringLiteral("l"), &skinned);
    skinned.setMenuSkin(true);
    auto* later = new controls::Button(QStringLiteral("later"), box); // added after the skin

    Form plain(QStringLiteral("p"), QRect(0, 0, 200, 200));
    auto* plainButton = new controls::Button(QStringLiteral("b"), &plain);

    skinned.show();
    plain.show();
    QVERIFY(QTest::qWaitForWindowExposed(&skinned));
    for (QWidget* w : std::initializer_list<QWidget*>{box, inBox, edit, later})
        QVERIFY2(w->style() == controls::flatStyle(), qPrintable(w->metaObject()->className()));
    QVERIFY(label->style() != controls::flatStyle());
    QVERIFY(plainButton->style() != controls::flatStyle());
    QVERIFY(inBox->testAttribute(Qt::WA_Hover));

    // Hover changes the face of a flat button.
    const QImage idle = inBox->grab().toImage();
    QStyleOptionButton option;
    option.initFrom(inBox);
    option.state |= QStyle::State_MouseOver;
    QImage hovered(inBox->size(), QImage::Format_ARGB32);
    QPainter painter(&hovered);
    controls::flatStyle()->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, &painter, inBox);
    painter.end();
    const QPoint middle(inBox->width() / 2, 2);
    QVERIFY(idle.pixelColor(middle) != hovered.pixelColor(middle));
}

void TestControls::labelFitsItsTextAndPaintsWhenOpaque()
{
    Form form(QStringLiteral("f"), QRect(0, 0, 200, 100));
    auto* picture = new QWidget(&form);
    picture->setGeometry(0, 0, 200, 100);
    QPalette red = picture->palette();
    red.setColor(QPalette::Window, Qt::red);
    picture->setPalette(red);
    picture->setAutoFillBackground(true);

    auto* label = new controls::Label(QStringLiteral("版本:1.0"), &form);
    label->move(10, 10);
    label->setOpaque(true);
    const QSize small = label->size();
    QCOMPARE(small, label->sizeHint());
    label->setFont(form.designFont(QStringLiteral("新細明體"), 26));
    QVERIFY(label->width() > small.width() && label->height() > small.height());
    QCOMPARE(label->pos(), QPoint(10, 10)); // keeps its left and top

    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QImage shot = form.grab().toImage();
    // Opaque: the label's box shows the window's button face, not the picture beneath.
    QCOMPARE(shot.pixelColor(label->geometry().topLeft() + QPoint(1, 1)), form.palette().color(QPalette::Button));
    label->setOpaque(false);
    const QImage clear = form.grab().toImage();
    QCOMPARE(clear.pixelColor(label->geometry().topLeft() + QPoint(1, 1)), QColor(Qt::red));
}

void TestControls::enterAndSpacePressTheFocusedButton_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modalResult");
    QTest::newRow("enter") << int(Qt::Key_Return) << 0;
    QTest::newRow("keypad enter") << int(Qt::Key_Enter) << 0;
    QTest::newRow("space") << int(Qt::Key_Space) << 0;
    QTest::newRow("enter, with a modal result") << int(Qt::Key_Return) << 6;
}

void TestControls::enterAndSpacePressTheFocusedButton()
{
    QFETCH(int, key);
    QFETCH(int, modalResult);
    Form form(QStringLiteral("f"), QRect(0, 0, 200, 100));
    auto* first = new controls::Button(QStringLiteral("1"), &form);
    auto* second = new controls::Button(QStringLiteral("2"), &form);
    second->move(0, 40);
    second->setModalResult(modalResult);
    QSignalSpy firstClicks(first, &QAbstractButton::clicked);
    QSignalSpy secondClicks(second, &QAbstractButton::clicked);
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    second->setFocus();
    QTest::keyClick(second, Qt::Key(key));
    QCOMPARE(secondClicks.size(), 1);
    QCOMPARE(firstClicks.size(), 0);
    QCOMPARE(form.modalResult(), modalResult);
}

void TestControls::namedFacesResolveToInstalledFaces_data()
{
    QTest::addColumn<QString>("named");
    QTest::addColumn<QString>("resolved");
    QTest::newRow("ming") << QStringLiteral("新細明體") << QStringLiteral("AR PL UMing TW");
    QTest::newRow("kai") << QStringLiteral("標楷體") << QStringLiteral("AR PL UKai TW");
    QTest::newRow("arial") << QStringLiteral("Arial") << QStringLiteral("Liberation Sans");
    QTest::newRow("ms sans serif") << QStringLiteral("MS Sans Serif") << QStringLiteral("Liberation Sans");
}

void TestControls::namedFacesResolveToInstalledFaces()
{
    QFETCH(QString, named);
    QFETCH(QString, resolved);
    QFont font(named);
    font.setPixelSize(13);
    QCOMPARE(QFontInfo(font).family(), resolved);
}

void TestControls::chineseTextInTheDefaultFontFallsBackToMing()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    QTextLayout layout(QStringLiteral("員工管理"), font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    QVERIFY(!runs.isEmpty());
    for (const QGlyphRun& run : runs)
        QCOMPARE(run.rawFont().familyName(), QStringLiteral("AR PL UMing TW"));
}

QTEST_MAIN(TestControls)
#include "test_controls.moc"
