// The program's command line as a record: files to open and the options that
// come with them. Also builds the command line handed to the fax program.
//
// Grammar (exact, case-sensitive option names; processed left to right):
//   -dir <v>  -name <v>  -profile <v>  -serviceName <v>   take the next element, whatever it is
//   -deleteFile, -deleteFiles                             the files are temporary
//   any other "-..."                                      ignored
//   anything else                                         a file, kept only when the path exists
#pragma once

#include "env/CmdlineParser.h"

#include <vector>

class FileHandlerArgs : public CmdlineParser {
public:
    FileHandlerArgs() = default;
    FileHandlerArgs(const ZString& dir, const ZString& name, const ZString& profile, const ZString& file,
                    bool deleteFiles);

    void reset() override;
    int handleOption(const ZString& key, const ZString& value) override;
    // The options and files in the serialised form, e.g.
    //   -deleteFile -dir "C:\out" "C:\in\a.pdf"
    virtual ZString toCommandLine() const;
    virtual int countExistingFiles() const;
    // With deleteFiles set: deletes each existing file inside the temporary folder
    // (deferred to exit when it is held).
    virtual void deleteTemporaryFiles() const;

    ZString dir;
    ZString name;
    ZString profile;
    ZString serviceName;
    std::vector<ZString> files;
    bool deleteFiles = false;
};
