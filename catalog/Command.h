// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/CommandContext.h"
#include "jobs/JobSummary.h"

#include <span>
#include <string>
#include <string_view>

namespace borvelin {

// A file a command reads or writes, by the name the program gives it.
struct CommandFile {
    enum class Place {
        WorkingFolder, // a fixed name in the working folder: "QSL.CSV"
        Operand,       // the file the operand names, by the operand's word: "LOG", or "LOG.bak" beside it
    };
    constexpr CommandFile(std::string_view fileName, Place filePlace = Place::WorkingFolder)
        : name(fileName), place(filePlace)
    {
    }

    std::string_view name;
    Place place;
};

// An option a command takes before its file: import's "--merge".
struct CommandOption {
    std::string_view flag;
    bool CommandArguments::*turnsOn;
};

// What follows a command on the command line.
struct Operands {
    std::span<const CommandOption> options{};
    std::string_view file{}; // the file it needs, by the word its usage gives it: "FILE"; empty for none
    // More files may follow the first: every argument up to the next command, or up to
    // the next that begins with "-".
    bool severalFiles = false;
    bool calls = false; // every argument after it is a call to look up

    // The option spelt `flag`, or nullptr.
    const CommandOption* option(std::string_view flag) const;
    // As --help shows them: "[--merge] FILE...", "LOG", "[CALL...]", "".
    std::string usage() const;
};

// One command of the program: its name on the command line, its item in the File menu,
// the files it reads and writes, and how its job is made and run.
struct Command {
    std::string_view id{};      // the command line's name: "list25"
    std::string_view caption{}; // the File menu's item with its access key: "&List of 25+"; empty without one
    char accessKey = 0;         // the key marked in the caption: 'L'
    // The control that runs it in the window, by its name in the control table: the menu
    // item "mnuFileList25"; for lookup, which has no menu item, the find field.
    std::string_view control{};
    int menuPlace = 0;           // its place among the File menu's conversions, from the top
    std::string_view barAbove{}; // the separator the menu draws above its item, by name; empty for none
    std::span<const CommandFile> reads{};
    std::span<const CommandFile> writes{};
    Operands operands{};
    std::string_view description{}; // what --help says it does
    // Makes the command's job and runs it; fails with JobError. Lookup has none: its
    // answers are shown as the list is read, so each front end runs it itself.
    JobSummary (*run)(const CommandContext& context) = nullptr;

    bool inFileMenu() const { return !caption.empty(); }
};

} // namespace borvelin
