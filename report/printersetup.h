#pragma once
// Printer setup: printer (or a PDF file where no printer is wanted or installed), copies,
// orientation and page range, edited on a copy of the report's print settings.
#include "reportengine.h"

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QDialogButtonBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace report {

// Asks for a PDF file to print into, with Chinese captions; empty when cancelled.
QString askPdfFileName(QWidget* parent, const QString& suggested);

class PrinterSetupDialog : public QDialog {
    Q_OBJECT
public:
    PrinterSetupDialog(const PrintSettings& settings, int pageCount, QWidget* parent);

    // The settings as the dialog shows them now.
    PrintSettings settings() const;

    // The destination that stands for "a PDF file" in the printer list.
    static QString pdfDestination();

    QComboBox* printer = nullptr;
    QLineEdit* file = nullptr;
    QPushButton* browse = nullptr;
    QSpinBox* copies = nullptr;
    QRadioButton* portrait = nullptr;
    QRadioButton* landscape = nullptr;
    QRadioButton* allPages = nullptr;
    QRadioButton* pageRange = nullptr;
    QSpinBox* fromPage = nullptr;
    QSpinBox* toPage = nullptr;
    QDialogButtonBox* buttons = nullptr;
    QPushButton* ok = nullptr;

private:
    void updateState();
    bool pdfChosen() const;

    PrintSettings m_original;
};

} // namespace report
