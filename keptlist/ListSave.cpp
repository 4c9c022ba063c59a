// SPDX-License-Identifier: GPL-3.0-or-later
#include "keptlist/ListSave.h"

namespace borvelin {

void replaceListKeepingBackup(const std::string& listName, const std::string& backupName,
                              const std::function<void(OutputFile&)>& write)
{
    OutputFile list(listName, OutputFile::DefaultBufferSize, OutputWrites::AsTheJobGoes);
    list.keepReplacedAs(backupName);
    write(list);
    list.commit();
}

} // namespace borvelin
