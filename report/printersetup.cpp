#include "printersetup.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <algorithm>

namespace report {

QString askPdfFileName(QWidget* parent, const QString& suggested)
{
    QFileDialog dialog(parent, QStringLiteral("列印到 PDF 檔案"), QFileInfo(suggested).absolutePath(),
                       QStringLiteral("PDF 檔案 (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(QFileInfo(suggested).fileName());
    // Qt's own captions are English without a translation; the overwrite question is asked below.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("儲存位置："));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("檔案名稱："));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("存檔類型："));
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("存檔"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("取消"));
    while (dialog.exec() == QDialog::Accepted) {
        const QString file = dialog.selectedFiles().value(0);
        if (file.isEmpty() || !QFileInfo::exists(file))
            return file;
        QMessageBox box(QMessageBox::Question, QStringLiteral("列印到 PDF 檔案"),
                        QStringLiteral("「%1」已經存在，要取代它嗎？").arg(QDir::toNativeSeparators(file)),
                        QMessageBox::NoButton, parent);
        QPushButton* replace = box.addButton(QStringLiteral("取代"), QMessageBox::YesRole);
        box.addButton(QStringLiteral("取消"), QMessageBox::NoRole);
        box.exec();
        if (box.clickedButton() == replace)
            return file;
    }
    return {};
}

QString PrinterSetupDialog::pdfDestination()
{
    return QStringLiteral("PDF 檔案");
}

PrinterSetupDialog::PrinterSetupDialog(const PrintSettings& s, int pageCount, QWidget* parent)
    : QDialog(parent), m_original(s)
{
    setWindowTitle(QStringLiteral("印表機設定"));
    pageCount = std::max(1, pageCount);

    printer = new QComboBox(this);
    const QString defaultName = QPrinterInfo::defaultPrinterName();
    for (const QString& name : QPrinterInfo::availablePrinterNames())
        printer->addItem(name == defaultName ? name + QStringLiteral("（預設）") : name, name);
    printer->addItem(pdfDestination(), QString());
    if (!s.outputFile.isEmpty() || printer->count() == 1)
        printer->setCurrentIndex(printer->count() - 1);
    else
        printer->setCurrentIndex(std::max(0, printer->findData(s.printerName.isEmpty() ? defaultName : s.printerName)));

    file = new QLineEdit(s.outputFile.isEmpty() ? QDir::home().filePath(QStringLiteral("薪資明細表.pdf")) : s.outputFile,
                         this);
    browse = new QPushButton(QStringLiteral("瀏覽…"), this);
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString chosen = askPdfFileName(this, file->text());
        if (!chosen.isEmpty())
            file->setText(chosen);
    });
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(file, 1);
    fileRow->addWidget(browse);

    copies = new QSpinBox(this);
    copies->setRange(1, 999);
    copies->setValue(std::max(1, s.copies));

    portrait = new QRadioButton(QStringLiteral("直印"), this);
    landscape = new QRadioButton(QStringLiteral("橫印"), this);
    // Each pair is a group of its own, not one group of every radio button on the dialog.
    auto* orientationGroup = new QButtonGroup(this);
    orientationGroup->addButton(portrait);
    orientationGroup->addButton(landscape);
    (s.orientation == QPageLayout::Landscape ? landscape : portrait)->setChecked(true);
    auto* orientationRow = new QHBoxLayout;
    orientationRow->addWidget(portrait);
    orientationRow->addWidget(landscape);
    orientationRow->addStretch(1);

    allPages = new QRadioButton(QStringLiteral("全部"), this);
    pageRange = new QRadioButton(QStringLiteral("頁數　從"), this);
    auto* rangeGroup = new QButtonGroup(this);
    rangeGroup->addButton(allPages);
    rangeGroup->addButton(pageRange);
    fromPage = new QSpinBox(this);
    toPage = new QSpinBox(this);
    fromPage->setRange(1, pageCount);
    toPage->setRange(1, pageCount);
    const bool limited = s.firstPage > 0 || s.lastPage > 0;
    (limited ? pageRange : allPages)->setChecked(true);
    fromPage->setValue(s.firstPage > 0 ? s.firstPage : 1);
    toPage->setValue(s.lastPage > 0 ? s.lastPage : pageCount);
    auto* rangeRow = new QHBoxLayout;
    rangeRow->addWidget(allPages);
    rangeRow->addWidget(pageRange);
    rangeRow->addWidget(fromPage);
    rangeRow->addWidget(new QLabel(QStringLiteral("到"), this));
    rangeRow->addWidget(toPage);
    rangeRow->addStretch(1);

    buttons = new QDialogButtonBox(this);
    ok = buttons->addButton(QStringLiteral("確定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("印表機："), printer);
    form->addRow(QStringLiteral("檔案："), fileRow);
    form->addRow(QStringLiteral("份數："), copies);
    form->addRow(QStringLiteral("方向："), orientationRow);
    form->addRow(QStringLiteral("列印範圍："), rangeRow);
    form->addRow(buttons);

    connect(printer, &QComboBox::currentIndexChanged, this, [this] { updateState(); });
    connect(pageRange, &QRadioButton::toggled, this, [this] { updateState(); });
    connect(file, &QLineEdit::textChanged, this, [this] { updateState(); });
    connect(fromPage, &QSpinBox::valueChanged, this, [this](int v) { if (toPage->value() < v) toPage->setValue(v); });
    connect(toPage, &QSpinBox::valueChanged, this, [this](int v) { if (fromPage->value() > v) fromPage->setValue(v); });
    updateState();
}

bool PrinterSetupDialog::pdfChosen() const
{
    return printer->currentIndex() == printer->count() - 1;
}

void PrinterSetupDialog::updateState()
{
    file->setEnabled(pdfChosen());
    browse->setEnabled(pdfChosen());
    fromPage->setEnabled(pageRange->isChecked());
    toPage->setEnabled(pageRange->isChecked());
    // A PDF destination needs a file name.
    ok->setEnabled(!pdfChosen() || !file->text().trimmed().isEmpty());
}

PrintSettings PrinterSetupDialog::settings() const
{
    PrintSettings s = m_original;
    s.printerName.clear();
    s.outputFile.clear();
    s.firstPage = s.lastPage = 0;
    if (pdfChosen())
        s.outputFile = file->text().trimmed();
    else
        s.printerName = printer->currentData().toString();
    s.copies = copies->value();
    s.orientation = landscape->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait;
    if (pageRange->isChecked()) {
        s.firstPage = fromPage->value();
        s.lastPage = toPage->value();
    }
    return s;
}

} // namespace report
