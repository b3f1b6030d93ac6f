#include "print/CommandLine.h"

#include "db/Database.h"
#include "db/DbError.h"
#include "export/HtmlChronicle.h"
#include "print/PdfExport.h"
#include "store/RosterStore.h"
#include "store/Schema.h"

#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <cstring>

namespace print {

namespace {

const char* const kUsage = "Usage: duskledger --export-pdf OUT.pdf [--character NAME]... FILE\n"
                           "       duskledger --export-html FOLDER [--character NAME]... FILE\n";

void tell(const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fputc('\n', stderr);
}

struct Command {
    bool pdf = true;
    QString output;
    QString file;
    QStringList names;
};

// Nothing, after telling why, when the arguments make no command.
std::optional<Command> parse(const QStringList& arguments) {
    Command command;
    bool outputGiven = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool takesValue = argument == QLatin1String("--export-pdf") ||
                                argument == QLatin1String("--export-html") || argument == QLatin1String("--character");
        if (takesValue && i + 1 >= arguments.size()) {
            tell(QStringLiteral("%1 needs a value.").arg(argument));
            return std::nullopt;
        }
        if (argument == QLatin1String("--export-pdf") || argument == QLatin1String("--export-html")) {
            if (outputGiven) {
                tell(QStringLiteral("Give one of --export-pdf and --export-html, once."));
                return std::nullopt;
            }
            outputGiven = true;
            command.pdf = argument == QLatin1String("--export-pdf");
            command.output = arguments[++i];
        } else if (argument == QLatin1String("--character")) {
            command.names << arguments[++i];
        } else if (argument.startsWith(QLatin1String("--")) || !command.file.isEmpty()) {
            tell(QStringLiteral("\"%1\" is not understood here.").arg(argument));
            return std::nullopt;
        } else {
            command.file = argument;
        }
    }
    if (!outputGiven || command.output.isEmpty() || command.file.isEmpty()) {
        tell(outputGiven ? QStringLiteral("No database file was given.") : QStringLiteral("No export was asked for."));
        return std::nullopt;
    }
    return command;
}

} // namespace

bool isExportCommand(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--export-pdf") == 0 || std::strcmp(argv[i], "--export-html") == 0)
            return true;
    return false;
}

int runExportCommand(const QStringList& arguments, const QString& programFolder) {
    const std::optional<Command> command = parse(arguments);
    if (!command) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    try {
        // Opened as the program opens it: a file another Duskledger holds is refused.
        const std::unique_ptr<db::Database> database = store::openChronicle(command->file, true);
        const store::roster::Lists lists = store::roster::readWhole(*database);
        std::vector<const store::roster::Entry*> everyone;
        for (const auto* list : {&lists.characters, &lists.npcs})
            for (const store::roster::Entry& entry : *list)
                everyone.push_back(&entry);

        std::vector<model::CharacterKey> keys;
        for (const QString& name : command->names) {
            bool found = false;
            for (const store::roster::Entry* entry : everyone)
                if (entry->name.compare(name, Qt::CaseInsensitive) == 0) {
                    if (std::find(keys.begin(), keys.end(), entry->key) == keys.end())
                        keys.push_back(entry->key);
                    found = true;
                }
            if (!found) {
                tell(QStringLiteral("No character named \"%1\" is in \"%2\"; nothing has been exported.")
                         .arg(name, command->file));
                return 1;
            }
        }
        if (command->names.isEmpty())
            for (const store::roster::Entry* entry : everyone)
                keys.push_back(entry->key);
        if (keys.empty()) {
            tell(QStringLiteral("\"%1\" holds no characters; nothing has been exported.").arg(command->file));
            return 1;
        }

        const QString title = QFileInfo(command->file).completeBaseName();
        if (command->pdf)
            writeChroniclePdf(*database, keys, command->output, title);
        else
            exporter::writeChronicleHtml(*database, keys, command->output, programFolder, title);
        database->Close();
        return 0;
    } catch (const db::DbError& e) {
        tell(e.message());
        return 1;
    }
}

} // namespace print
