#include "app/qtuserport.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>
#include <map>

#include "app/apptexts.h"
#include "app/columnmappingdialog.h"
#include "app/formdialog.h"
#include "base/error.h"
#include "controller/controllertexts.h"
#include "print/papersize.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

QMessageBox::Icon icon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// The busy pointer gives way to the arrow while the user answers a question.
class ArrowWhileAsking {
public:
    ArrowWhileAsking() : busy_(QApplication::overrideCursor() != nullptr) {
        if (busy_) {
            QApplication::setOverrideCursor(Qt::ArrowCursor);
        }
    }
    ~ArrowWhileAsking() {
        if (busy_) {
            QApplication::restoreOverrideCursor();
        }
    }

private:
    bool busy_;
};

// Work under way beside the window, with Cancel. Esc, Cancel and the window's close button ask
// the work to stop; the dialog stays, saying so, until it has.
class WaitDialog : public QDialog {
public:
    WaitDialog(const WaitRequest& request, std::function<void()> cancel, QWidget* parent)
        : QDialog(parent), cancel_(std::move(cancel)) {
        setObjectName(request.name);
        setWindowTitle(request.title);
        setModal(true);
        auto* layout = new QVBoxLayout(this);
        label_ = new QLabel(request.text, this);
        label_->setObjectName(request.name + u"Text"_s);
        layout->addWidget(label_);
        auto* bar = new QProgressBar(this);
        bar->setObjectName(request.name + u"Progress"_s);
        bar->setRange(0, 0);  // how long a server takes is not known
        bar->setAccessibleName(request.text);
        layout->addWidget(bar);
        buttons_ = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
        buttons_->button(QDialogButtonBox::Cancel)->setObjectName(request.name + u"Cancel"_s);
        connect(buttons_, &QDialogButtonBox::rejected, this, &WaitDialog::reject);
        layout->addWidget(buttons_);
        setMinimumWidth(420);
    }
    void reject() override {
        if (cancelled_) {
            return;
        }
        cancelled_ = true;
        label_->setText(u"Cancelling: waiting for the server to stop..."_s);
        buttons_->setEnabled(false);
        cancel_();
    }

private:
    std::function<void()> cancel_;
    QLabel* label_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
    bool cancelled_ = false;
};

}  // namespace

void QtUserPort::waitFor(const WaitRequest& request, QThread& running,
                         const std::function<void()>& cancel) {
    QEventLoop loop;
    // Queued from the work's thread: the loop sees the end even when it came before exec().
    QObject::connect(&running, &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    if (running.isFinished()) {
        return;
    }
    const ArrowWhileAsking arrow;
    // Shown at once, modal: nothing else in the windows is done while the work runs.
    WaitDialog dialog(request, cancel, dialogParent());
    dialog.show();
    loop.exec();
}

QWidget* QtUserPort::dialogParent() {
    // The window the user works in: the main window, or a window of its own opened over it.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    return QApplication::activeWindow();
}

Answer QtUserPort::showMessage(const MessageRequest& request) {
    const ArrowWhileAsking arrow;
    QMessageBox box(icon(request.icon), request.title.isEmpty() ? texts::appTitle() : request.title,
                    request.text, QMessageBox::NoButton, dialogParent());
    std::map<QAbstractButton*, Answer> answers;
    auto add = [&](QMessageBox::StandardButton button, Answer answer) {
        answers[box.addButton(button)] = answer;
    };
    auto addOwn = [&](const QString& caption, QMessageBox::ButtonRole role, Answer answer) {
        answers[box.addButton(caption, role)] = answer;
    };
    switch (request.buttons) {
        case MessageButtons::Ok:
            add(QMessageBox::Ok, Answer::Ok);
            break;
        case MessageButtons::YesNo:
            add(QMessageBox::Yes, Answer::Yes);
            add(QMessageBox::No, Answer::No);
            break;
        case MessageButtons::YesNoCancel:
            add(QMessageBox::Yes, Answer::Yes);
            add(QMessageBox::No, Answer::No);
            add(QMessageBox::Cancel, Answer::Cancel);
            break;
        case MessageButtons::RecoverDiscardLater:
            addOwn(texts::recoverButton(), QMessageBox::AcceptRole, Answer::Recover);
            addOwn(texts::discardButton(), QMessageBox::DestructiveRole, Answer::Discard);
            addOwn(texts::laterButton(), QMessageBox::RejectRole, Answer::Later);
            break;
        case MessageButtons::ExportAnywayGoBack:
            addOwn(texts::goBackButton(), QMessageBox::RejectRole, Answer::GoBack);
            addOwn(texts::exportAnywayButton(), QMessageBox::AcceptRole, Answer::ExportAnyway);
            break;
    }
    for (const auto& [button, answer] : answers) {
        if (request.defaultAnswer == answer) {
            box.setDefaultButton(qobject_cast<QPushButton*>(button));
        }
    }
    box.exec();
    const auto chosen = answers.find(box.clickedButton());
    if (chosen != answers.end()) {
        return chosen->second;
    }
    // Closed without a button: the safest answer the question has.
    switch (request.buttons) {
        case MessageButtons::Ok:
            return Answer::Ok;
        case MessageButtons::RecoverDiscardLater:
            return Answer::Later;
        case MessageButtons::ExportAnywayGoBack:
            return Answer::GoBack;
        default:
            return Answer::Cancel;
    }
}

namespace {

// Qt file-dialog filters: "All Files (*.*)" matches every file, as it does on Windows.
QString dialogFilter(const QStringList& filters) {
    QStringList adapted;
    for (QString filter : filters) {
        adapted.append(filter.replace(u"(*.*)"_s, u"(*)"_s));
    }
    return adapted.join(u";;"_s);
}

}  // namespace

std::optional<QString> QtUserPort::chooseFile(const FileDialogRequest& request) {
    const QStringList files = askForFiles(request, false);
    return files.isEmpty() ? std::nullopt : std::optional<QString>(files.constFirst());
}

QStringList QtUserPort::chooseFiles(const FileDialogRequest& request) {
    return askForFiles(request, true);
}

std::optional<ColumnLayout> QtUserPort::chooseColumns(const ColumnMappingRequest& request) {
    const ArrowWhileAsking arrow;
    ColumnMappingDialog dialog(request, dialogParent());
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.layout();
}

std::optional<QStringList> QtUserPort::fillIn(const FormRequest& request) {
    const ArrowWhileAsking arrow;
    FormDialog dialog(request, dialogParent());
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.values();
}

QStringList QtUserPort::askForFiles(const FileDialogRequest& request, bool several) {
    const ArrowWhileAsking arrow;
    QFileDialog dialog(dialogParent(), request.title, request.directory);
    dialog.setObjectName(u"CommonDialog1"_s);
    dialog.setOption(QFileDialog::DontUseNativeDialog,
                     qEnvironmentVariableIsSet("VESKPLAN_QT_DIALOGS"));
    const QString filter = dialogFilter(request.filters);
    dialog.setNameFilter(filter);
    const QStringList names = filter.split(u";;"_s);
    if (request.selectedFilter >= 0 && request.selectedFilter < names.size()) {
        dialog.selectNameFilter(names[request.selectedFilter]);
    }
    if (request.mode == FileDialogRequest::Mode::Open) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(several ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        if (!request.fileName.isEmpty()) {
            const QFileInfo proposed(request.fileName);
            if (proposed.isAbsolute()) {
                dialog.setDirectory(proposed.absolutePath());
            }
            dialog.selectFile(proposed.fileName());
        }
    }
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    return dialog.selectedFiles();
}

namespace {

// The printer. The pages are shown in a preview first; its Print button asks which printer
// (the one printer dialog) and prints them, or the user closes it.
class PrinterTarget : public PrintTarget {
public:
    PrinterTarget(std::unique_ptr<QPrinter> printer, QWidget* parent)
        : printer_(std::move(printer)), parent_(parent) {}

    bool print(QPageLayout::Orientation orientation,
               const std::function<void(QPagedPaintDevice&)>& render) override {
        printer_->setPageOrientation(orientation);
        QPrintPreviewDialog preview(printer_.get(), parent_);
        preview.setObjectName(u"printPreview"_s);
        preview.setWindowTitle(u"Print Preview - "_s + texts::appTitle());
        // An error may not pass through Qt's event handling: it is kept and raised afterwards.
        std::optional<Error> failure;
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                         [&render, &failure](QPrinter* printer) {
                             try {
                                 render(*printer);
                             } catch (const Error& error) {
                                 failure = error;
                             }
                         });
        const bool accepted = preview.exec() == QDialog::Accepted;
        if (failure) {
            throw *failure;
        }
        // Where no printer is installed, the preview's Print offers a PDF file instead and
        // closes the preview as accepted even when no file was chosen: nothing was printed then.
        return accepted && (printer_->outputFormat() == QPrinter::NativeFormat ||
                            !printer_->outputFileName().isEmpty());
    }

private:
    std::unique_ptr<QPrinter> printer_;
    QPointer<QWidget> parent_;
};

}  // namespace

std::unique_ptr<PrintTarget> QtUserPort::choosePrinter() {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPageSize(defaultPaperSize(locale_));
    return std::make_unique<PrinterTarget>(std::move(printer), dialogParent());
}

}  // namespace veskplan
