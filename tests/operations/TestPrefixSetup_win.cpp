// Prepares the Wine prefix for the operations tests, as a ctest fixture, so a
// fresh machine gets the same: a printer that writes PostScript to a file (the
// Wine PostScript driver with the PPD given as the argument, port "FILE:"),
// made the default printer; and the stand-in Simple MAPI library beside the
// test program preferred to Wine's own.
#include <windows.h>

#include <winspool.h>

#include <cstdio>
#include <string>

namespace {

const wchar_t* const kPrinter = L"Quillet Test Printer";
const wchar_t* const kDriver = L"Wine PostScript Driver";

bool preferStandInMapi()
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\operations_tests.exe\\DllOverrides", 0,
                        nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const wchar_t value[] = L"native,builtin";
    const bool ok = RegSetValueExW(key, L"mapi32", 0, REG_SZ, reinterpret_cast<const BYTE*>(value), sizeof(value)) ==
                    ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

bool installPrinter(const wchar_t* ppd)
{
    wchar_t folder[MAX_PATH] = {};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder), sizeof(folder), &needed))
        return false;
    const std::wstring dataFile = std::wstring(folder) + L"\\quillet-test.ppd";
    if (!CopyFileW(ppd, dataFile.c_str(), FALSE))
        return false;

    DRIVER_INFO_3W driver{};
    driver.cVersion = 3;
    driver.pName = const_cast<wchar_t*>(kDriver);
    driver.pDriverPath = const_cast<wchar_t*>(L"wineps.drv");
    driver.pDataFile = const_cast<wchar_t*>(L"quillet-test.ppd");
    driver.pConfigFile = const_cast<wchar_t*>(L"wineps.drv");
    if (!AddPrinterDriverW(nullptr, 3, reinterpret_cast<BYTE*>(&driver)))
        return false;

    HANDLE existing = nullptr;
    if (OpenPrinterW(const_cast<wchar_t*>(kPrinter), &existing, nullptr)) {
        ClosePrinter(existing);
    } else {
        PRINTER_INFO_2W printer{};
        printer.pPrinterName = const_cast<wchar_t*>(kPrinter);
        printer.pPortName = const_cast<wchar_t*>(L"FILE:");
        printer.pDriverName = const_cast<wchar_t*>(kDriver);
        printer.pPrintProcessor = const_cast<wchar_t*>(L"WinPrint");
        printer.pDatatype = const_cast<wchar_t*>(L"RAW");
        HANDLE added = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
        if (added == nullptr)
            return false;
        ClosePrinter(added);
    }
    return SetDefaultPrinterW(kPrinter) != FALSE;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: test-prefix-setup <ppd file>\n");
        return 2;
    }
    if (!preferStandInMapi()) {
        std::fprintf(stderr, "could not set the library order for the MAPI stand-in\n");
        return 1;
    }
    if (!installPrinter(argv[1])) {
        std::fprintf(stderr, "could not install the test printer (error %lu)\n", GetLastError());
        return 1;
    }
    return 0;
}
