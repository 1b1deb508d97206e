#include "cli/cliport.h"

#include "print/pdfprinttarget.h"

namespace veskplan {

Answer CliPort::showMessage(const MessageRequest& request) {
    return request.buttons == MessageButtons::Ok ? Answer::Ok : Answer::No;
}

std::unique_ptr<PrintTarget> CliPort::choosePrinter() {
    return std::make_unique<PdfPrintTarget>(output_);
}

}  // namespace veskplan
