// SPDX-License-Identifier: GPL-3.0-or-later
// Prints what the man page's test checks against the catalog: "command ID" for every
// command, then "file NAME" for every file the commands keep in the working folder.
#include "catalog/Catalog.h"
#include "catalog/ProgramFiles.h"

#include <iostream>

int main()
{
    for (const borvelin::Command& command : borvelin::commands())
        std::cout << "command " << command.id << '\n';
    for (const std::string_view file : borvelin::programFiles())
        std::cout << "file " << file << '\n';
    return 0;
}
