// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/ByteSource.h"
#include "jobs/FileStore.h"
#include "jobs/LineSink.h"
#include "jobs/LineSource.h"

#include <memory>
#include <string>

namespace borvelin {

// Where a job finds its input and puts its outputs, by bare file name. DiskFiles, the
// files of the current directory, in the programs; memory in the tests.
class JobFiles {
public:
    virtual ~JobFiles() = default;
    // Fails with JobError as opening the file would (53 when it does not exist).
    virtual std::unique_ptr<LineSource> openInput(const std::string& name) = 0;
    // Fails with JobError when the target could not be replaced.
    virtual std::unique_ptr<LineSink> createOutput(const std::string& name, OutputWrites writes) = 0;
    // The bytes of a file that is not made of lines (a log), which must be a regular file.
    virtual std::unique_ptr<ByteSource> openBytes(const std::string& name);
    // Where the outputs are put in place, and the folder's lock.
    virtual FileStore& store();
};

// The files of the process's current directory.
class DiskFiles : public JobFiles {
public:
    std::unique_ptr<LineSource> openInput(const std::string& name) override;
    std::unique_ptr<ByteSource> openBytes(const std::string& name) override;
    std::unique_ptr<LineSink> createOutput(const std::string& name, OutputWrites writes) override;
};

// The DiskFiles every job uses unless it is given others.
JobFiles& diskFiles();

} // namespace borvelin
