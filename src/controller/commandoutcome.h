#pragma once

#include <QString>

namespace veskplan {

class UserPort;

// How an export, the print or another command that writes a file ended.
struct CommandOutcome {
    enum class Kind { Written, Cancelled, Refused, Failed };
    Kind kind = Kind::Cancelled;
    QString file;     // the file written, when Written
    QString message;  // what the user was told, when Refused or Failed

    static CommandOutcome written(QString file) { return {Kind::Written, std::move(file), {}}; }
    static CommandOutcome cancelled() { return {}; }
    static CommandOutcome refused(QString message) {
        return {Kind::Refused, {}, std::move(message)};
    }
    static CommandOutcome failed(QString message) { return {Kind::Failed, {}, std::move(message)}; }
};

// Tells the user a command failed or was refused, and returns the outcome for the caller.
CommandOutcome report(UserPort& port, CommandOutcome outcome);

}  // namespace veskplan
