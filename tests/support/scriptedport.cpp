#include "support/scriptedport.h"

#include <gtest/gtest.h>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QThread>

namespace veskplan::test {
namespace {

// The next scripted answer; nothing, and a failure, when the script has none left.
template <typename T>
T next(std::deque<T>& answers, const std::string& question) {
    if (answers.empty()) {
        ADD_FAILURE() << "unscripted " << question;
        return T();
    }
    T answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

}  // namespace

Answer ScriptedPort::showMessage(const MessageRequest& request) {
    messages.push_back(request);
    if (onMessage) {
        onMessage(request);
    }
    if (busyDepth > 0) {
        messageWhileBusy = true;
    }
    if (request.buttons == MessageButtons::Ok) {
        return Answer::Ok;
    }
    if (answers.empty()) {
        ADD_FAILURE() << "unscripted question: " << request.text.toStdString();
        return Answer::Cancel;
    }
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<QString> ScriptedPort::chooseFile(const FileDialogRequest& request) {
    dialogs.push_back(request);
    return next(files, "file dialog: " + request.title.toStdString());
}

QStringList ScriptedPort::chooseFiles(const FileDialogRequest& request) {
    const std::optional<QString> files = chooseFile(request);
    return files ? files->split(u'\n') : QStringList();
}

std::optional<ColumnLayout> ScriptedPort::chooseColumns(const ColumnMappingRequest& request) {
    mappings.push_back(request);
    return next(columnMappings, "column mapping: " + request.file.toStdString());
}

std::optional<QStringList> ScriptedPort::fillIn(const FormRequest& request) {
    formsAsked.push_back(request);
    return next(forms, "form: " + request.title.toStdString());
}

void ScriptedPort::waitFor(const WaitRequest& request, QThread& running,
                           const std::function<void()>& cancel) {
    waits.push_back(request);
    if (onWait) {
        onWait(cancel);
    }
    running.wait();
}

void ScriptedPort::follow(ViewRequests& requests) {
    QObject::connect(&requests, &ViewRequests::focusRequested, &requests,
                     [this](const QString& control) { focus.push_back(control); });
    QObject::connect(&requests, &ViewRequests::commitTypingRequested, &requests,
                     [this] { ++commits; });
    QObject::connect(&requests, &ViewRequests::masterTopRowRequested, &requests,
                     [this](int row) { masterTopRow = row; });
    QObject::connect(&requests, &ViewRequests::categoryBrowserRequested, &requests, [this] {
        if (categoryBrowser) {
            categoryBrowser();
        }
    });
}

void ScriptedPort::follow(CatalogueCommands& catalogue) {
    QObject::connect(&catalogue, &CatalogueCommands::windowRequested, &catalogue, [this] {
        ++catalogueReports;
        if (catalogueReport) {
            catalogueReport();
        }
    });
}

namespace {

// Renders into a PDF file, as a printer would onto paper.
class PdfTarget : public PrintTarget {
public:
    PdfTarget(ScriptedPort& port) : port_(port) {}
    bool print(QPageLayout::Orientation orientation,
               const std::function<void(QPagedPaintDevice&)>& render) override {
        port_.printed.push_back(orientation);
        const QString path =
            port_.printPdf.isEmpty() ? dir_.filePath(QStringLiteral("print.pdf")) : port_.printPdf;
        QPdfWriter writer(path);
        writer.setPageOrientation(orientation);
        render(writer);
        return true;
    }

private:
    ScriptedPort& port_;
    QTemporaryDir dir_;
};

}  // namespace

std::unique_ptr<PrintTarget> ScriptedPort::choosePrinter() {
    ++printerDialogs;
    if (!printerChosen) {
        return nullptr;
    }
    return std::make_unique<PdfTarget>(*this);
}

void ScriptedPort::beginBusy() {
    ++busyDepth;
    ++busyCount;
}

void ScriptedPort::endBusy() {
    EXPECT_GT(busyDepth, 0) << "busy pointer restored more often than set";
    --busyDepth;
}

std::vector<QString> ScriptedPort::messageTexts() const {
    std::vector<QString> texts;
    for (const auto& message : messages) {
        texts.push_back(message.text);
    }
    return texts;
}

void ScriptedPort::clear() {
    messages.clear();
    dialogs.clear();
    mappings.clear();
    formsAsked.clear();
    focus.clear();
    waits.clear();
    onWait = nullptr;
    commits = 0;
    busyCount = 0;
    messageWhileBusy = false;
}

}  // namespace veskplan::test
