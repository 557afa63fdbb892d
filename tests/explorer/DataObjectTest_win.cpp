#include "base/Paths.h"
#include "explorer/ClipFormats_win.h"
#include "explorer/FileDataObject_win.h"
#include "explorer/Medium_win.h"
#include "tests/explorer/ExplorerTestSupport_win.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <shellapi.h>

using namespace ole;

namespace {

std::vector<CLIPFORMAT> enumerated(IDataObject* data)
{
    std::vector<CLIPFORMAT> formats;
    ComPtr<IEnumFORMATETC> e;
    EXPECT_EQ(data->EnumFormatEtc(DATADIR_GET, e.put()), S_OK);
    FORMATETC f;
    while (e->Next(1, &f, nullptr) == S_OK)
        formats.push_back(f.cfFormat);
    return formats;
}

// GetData of an HGLOBAL format; checks that the memory is moveable.
std::string hglobalOf(IDataObject* data, CLIPFORMAT format)
{
    FORMATETC wanted = formatEtc(format);
    Medium medium;
    EXPECT_EQ(data->GetData(&wanted, medium.put()), S_OK);
    if (medium.tymed() != TYMED_HGLOBAL)
        return {};
    HGLOBAL global = medium.get().hGlobal;
    void* p = GlobalLock(global);
    EXPECT_NE(p, static_cast<void*>(global)) << "fixed memory";
    GlobalUnlock(global);
    return bytesOfGlobal(global);
}

// A list data object whose files are found only when first needed.
class LazyFiles : public FileDataObject {
public:
    LazyFiles(std::vector<ZString> files, ZString base)
        : FileDataObject({}, base, false), m_later(std::move(files))
    {
    }
    int populated = 0;

protected:
    void populate() override
    {
        ++populated;
        setFiles(m_later);
    }

private:
    std::vector<ZString> m_later;
};

class FileDataObjects : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(writeFileBytes(m_a, "first file"));
        ASSERT_TRUE(CreateDirectoryW(m_sub.c_str(), nullptr));
        ASSERT_TRUE(writeFileBytes(m_b, std::string(70000, 'b')));
    }
    ScratchFolder m_scratch;
    ZString m_a = m_scratch.file(L"a.pdf");
    ZString m_sub = m_scratch.file(L"sub");
    ZString m_b = joinPath(m_sub, L"b.pdf");
};

} // namespace

TEST_F(FileDataObjects, OfferEveryFormatInOrderAndAnswerEachOne)
{
    const ClipFormats& f = clipFormats();
    auto data = makeObject<FileDataObject>(std::vector<ZString>{m_a, m_sub, m_b}, m_scratch.path(), false);
    EXPECT_EQ(enumerated(data.get()),
              (std::vector<CLIPFORMAT>{f.hdrop, f.fileNameMap, f.fileContents, f.fileGroupDescriptor,
                                       f.preferredDropEffect, f.untrustedDragDrop, f.isShowingText,
                                       f.disableDragText, f.isComputingImage, f.dropDescription}));

    std::vector<ZString> paths;
    const std::string hdrop = hglobalOf(data.get(), f.hdrop);
    ASSERT_TRUE(readDropFiles(hdrop, paths));
    EXPECT_EQ(paths, (std::vector<ZString>{m_a, m_sub, m_b}));
    uint32_t fnc = 0;
    ASSERT_TRUE(readDword(hdrop.substr(12), fnc));
    EXPECT_EQ(fnc, 1u);
    EXPECT_EQ(readPathList(hglobalOf(data.get(), f.fileNameMap)), paths);

    std::vector<FileDescriptor> descriptors;
    ASSERT_TRUE(readFileGroupDescriptor(hglobalOf(data.get(), f.fileGroupDescriptor), descriptors));
    ASSERT_EQ(descriptors.size(), 3u);
    EXPECT_EQ(descriptors[0].name, L"a.pdf");
    EXPECT_EQ(descriptors[0].size, 10u);
    EXPECT_EQ(descriptors[1].name, L"sub");
    EXPECT_TRUE(descriptors[1].isFolder());
    EXPECT_EQ(descriptors[1].size, 0u);
    EXPECT_EQ(descriptors[2].name, L"sub\\b.pdf");
    EXPECT_EQ(descriptors[2].flags, kFdAttributes | kFdFileSize);
    EXPECT_EQ(descriptors[2].size, 70000u);

    FORMATETC contents = formatEtc(f.fileContents, TYMED_ISTREAM, 2);
    Medium medium;
    ASSERT_EQ(data->GetData(&contents, medium.put()), S_OK);
    ASSERT_EQ(medium.tymed(), TYMED_ISTREAM);
    EXPECT_EQ(readStream(medium.get().pstm), std::string(70000, 'b'));
    // The stream only reads.
    ULONG written = 0;
    EXPECT_TRUE(FAILED(medium.get().pstm->Write("x", 1, &written)));

    const std::pair<CLIPFORMAT, uint32_t> dwords[] = {{f.preferredDropEffect, 1}, {f.untrustedDragDrop, 0},
                                                      {f.isShowingText, 0},        {f.disableDragText, 1},
                                                      {f.isComputingImage, 0}};
    for (const auto& [format, value] : dwords) {
        uint32_t got = 99;
        EXPECT_TRUE(readDword(hglobalOf(data.get(), format), got));
        EXPECT_EQ(got, value) << format;
    }
    const std::string description = hglobalOf(data.get(), f.dropDescription);
    EXPECT_EQ(description.size(), 1044u);
    EXPECT_EQ(description.substr(0, 4), std::string(4, '\xFF'));
}

TEST_F(FileDataObjects, RefuseUnknownFormatsBadIndexesAndWrongMedia)
{
    const ClipFormats& f = clipFormats();
    auto data = makeObject<FileDataObject>(std::vector<ZString>{m_a, m_b}, ZString(), false);
    Medium medium;
    FORMATETC text = formatEtc(CF_UNICODETEXT);
    EXPECT_EQ(data->GetData(&text, medium.put()), DV_E_FORMATETC);
    EXPECT_EQ(data->QueryGetData(&text), DV_E_FORMATETC);
    FORMATETC pastEnd = formatEtc(f.fileContents, TYMED_ISTREAM, 2);
    EXPECT_EQ(data->GetData(&pastEnd, medium.put()), DV_E_LINDEX);
    FORMATETC negative = formatEtc(f.fileContents, TYMED_ISTREAM, -1);
    EXPECT_EQ(data->GetData(&negative, medium.put()), DV_E_LINDEX);
    FORMATETC asFile = formatEtc(f.hdrop, TYMED_FILE);
    EXPECT_EQ(data->GetData(&asFile, medium.put()), DV_E_TYMED);

    // Without a base folder descriptors carry the file name alone.
    std::vector<FileDescriptor> descriptors;
    ASSERT_TRUE(readFileGroupDescriptor(hglobalOf(data.get(), f.fileGroupDescriptor), descriptors));
    EXPECT_EQ(descriptors[1].name, L"b.pdf");
}

TEST_F(FileDataObjects, VirtualOnlyObjectsGiveNoPaths)
{
    const ClipFormats& f = clipFormats();
    auto data = makeObject<FileDataObject>(std::vector<ZString>{m_a}, ZString(), true);
    const std::vector<CLIPFORMAT> formats = enumerated(data.get());
    EXPECT_EQ(formats.front(), f.fileContents);
    EXPECT_EQ(formats.size(), 8u);
    Medium medium;
    FORMATETC hdrop = formatEtc(f.hdrop);
    EXPECT_EQ(data->GetData(&hdrop, medium.put()), DV_E_FORMATETC);
    FORMATETC map = formatEtc(f.fileNameMap);
    EXPECT_EQ(data->GetData(&map, medium.put()), DV_E_FORMATETC);
}

TEST_F(FileDataObjects, MediaSetByOthersAnswerFirstAndFilesAreFoundOnce)
{
    const ClipFormats& f = clipFormats();
    auto data = makeObject<LazyFiles>(std::vector<ZString>{m_a}, m_scratch.path());
    EXPECT_EQ(enumerated(data.get()).size(), 10u);
    EXPECT_EQ(data->populated, 0);

    FORMATETC effect = formatEtc(f.preferredDropEffect);
    STGMEDIUM move{};
    move.tymed = TYMED_HGLOBAL;
    move.hGlobal = globalFromBytes(buildDword(kEffectMove));
    ASSERT_EQ(data->SetData(&effect, &move, TRUE), S_OK);
    uint32_t value = 0;
    ASSERT_TRUE(readDword(hglobalOf(data.get(), f.preferredDropEffect), value));
    EXPECT_EQ(value, kEffectMove);

    std::vector<FileDescriptor> descriptors;
    ASSERT_TRUE(readFileGroupDescriptor(hglobalOf(data.get(), f.fileGroupDescriptor), descriptors));
    ASSERT_TRUE(readFileGroupDescriptor(hglobalOf(data.get(), f.fileGroupDescriptor), descriptors));
    EXPECT_EQ(readPathList(hglobalOf(data.get(), f.fileNameMap)), std::vector<ZString>{m_a});
    EXPECT_EQ(data->populated, 1);
}
