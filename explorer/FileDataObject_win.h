// ole::FileDataObject: files offered to other programs as paths and as
// virtual files (descriptors and contents), with the shell's helper formats.
// Derived classes that know their files only later fill the list in
// populate(), which runs once, when a format that needs the files is asked for.
#pragma once

#include "base/ZString.h"
#include "explorer/DataObject_win.h"

#include <vector>

namespace ole {

class FileDataObject : public DataObject {
public:
    // virtualOnly leaves out CF_HDROP and "FileNameMapW": the files are given
    // only as descriptors and contents. Descriptor names are relative to
    // baseFolder when one is given.
    FileDataObject(std::vector<ZString> files, ZString baseFolder, bool virtualOnly);

    const std::vector<ZString>& files() const { return m_files; }

protected:
    HRESULT getOwnData(const FORMATETC& format, STGMEDIUM& medium) override;
    virtual void populate() {}

    void setFiles(std::vector<ZString> files) { m_files = std::move(files); }
    void setBaseFolder(const ZString& folder) { m_baseFolder = folder; }

private:
    void ensurePopulated();
    HRESULT answer(const FORMATETC& format, const std::string& bytes, STGMEDIUM& medium);
    HRESULT fileContents(const FORMATETC& format, STGMEDIUM& medium);

    std::vector<ZString> m_files;
    ZString m_baseFolder;
    bool m_populated = false;
    DWORD m_effect = 1;    // "Preferred DropEffect": copy
    DWORD m_untrusted = 0; // "UntrustedDragDrop"
    POINT m_cursor{};      // the cursor when the object was made, for CF_HDROP
};

} // namespace ole
