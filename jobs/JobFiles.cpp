// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/JobFiles.h"

#include "jobs/DiskStore.h"
#include "jobs/FileByteSource.h"
#include "jobs/LineReader.h"
#include "jobs/OutputFile.h"

namespace borvelin {

std::unique_ptr<LineSource> DiskFiles::openInput(const std::string& name)
{
    return std::make_unique<LineReader>(name);
}

std::unique_ptr<ByteSource> DiskFiles::openBytes(const std::string& name)
{
    return std::make_unique<FileByteSource>(name);
}

std::unique_ptr<LineSink> DiskFiles::createOutput(const std::string& name, OutputWrites writes)
{
    return std::make_unique<OutputFile>(name, OutputFile::DefaultBufferSize, writes);
}

std::unique_ptr<ByteSource> JobFiles::openBytes(const std::string& name)
{
    return std::make_unique<FileByteSource>(name);
}

FileStore& JobFiles::store()
{
    return diskStore();
}

JobFiles& diskFiles()
{
    static DiskFiles files;
    return files;
}

} // namespace borvelin
