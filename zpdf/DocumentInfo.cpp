// Reading the information and encryption dictionaries into a DocumentInfo.
#include "zpdf/Document.h"

#include "zpdf/Exceptions.h"
#include "zpdf/Names.h"
#include "zpdf/Primitives.h"
#include "zpdf/String.h"

#include <cmath>
#include <cstdint>

namespace zpdf {

namespace {

// The permission bits of "P", as a 32-bit pattern; files write it signed
// (-3904) or unsigned (4294963392).
int32_t permissionBits(double value)
{
    if (!std::isfinite(value) || value < -2147483648.0 || value > 4294967295.0)
        return 0;
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<int64_t>(value)));
}

bool bit(int32_t p, int number) { return ((static_cast<uint32_t>(p) >> (number - 1)) & 1u) != 0; }

void readEncryption(Document& document, DocumentInfo& info)
{
    info.encrypted = 1;
    const IPtr<Dict> encrypt = document.getEncryptDict(false);
    const IPtr<Number> length = encrypt ? encrypt->getNumber(kLength) : nullptr;
    info.keyLength = length ? length->intValue() : 40;
    const IPtr<Number> version = encrypt ? encrypt->getNumber(kV) : nullptr;
    if (version && version->value() == 1)
        info.keyLength = 40;
    const IPtr<Number> p = encrypt ? encrypt->getNumber(kP) : nullptr;
    if (!p)
        return;
    info.permissions = permissionBits(p->value());
    info.canPrint = bit(info.permissions, 3);
    info.canModify = bit(info.permissions, 4);
    info.canCopy = bit(info.permissions, 5);
    info.canAnnotate = bit(info.permissions, 6);
    info.canFillForms = bit(info.permissions, 9);
    info.canExtractForAccessibility = bit(info.permissions, 10);
    info.canAssemble = bit(info.permissions, 11);
    info.canPrintHighQuality = bit(info.permissions, 12);
}

void readText(const Dict& infoDict, const IPtr<Name>& key, ZString& field)
{
    const IPtr<Object> value = infoDict.get(key);
    const IPtr<String> text = value ? value->toString() : nullptr;
    if (text)
        field = text->getText();
}

ZString messageText(const char* message)
{
    ZString text;
    for (const char* p = message; *p != 0; ++p)
        text.appendChar(static_cast<wchar_t>(static_cast<unsigned char>(*p)));
    return text;
}

} // namespace

void Document::readInfo(DocumentInfo& info)
{
    try {
        if (m_trailer->has(kEncrypt))
            readEncryption(*this, info);
        info.pageCount = getPageCount();
        // The texts of an encrypted document are read only when it is decrypted.
        if (info.encrypted != 0 && !decrypts())
            return;
        const IPtr<Dict> infoDict = getInfoDict(false);
        if (!infoDict)
            return;
        readText(*infoDict, kTitle, info.title);
        readText(*infoDict, kAuthor, info.author);
        readText(*infoDict, kSubject, info.subject);
        readText(*infoDict, kKeywords, info.keywords);
        readText(*infoDict, kCreator, info.creator);
        readText(*infoDict, kProducer, info.producer);
        readText(*infoDict, kCreationDate, info.creationDate);
    } catch (const PdfException& e) {
        info.error = messageText(e.what());
    } catch (const IndexOutOfBoundsException& e) {
        info.error = messageText(e.what());
    } catch (const NumberFormatException& e) {
        info.error = messageText(e.what());
    } catch (const UnsupportedException& e) {
        info.error = messageText(e.what());
    } catch (...) {
        info.error = L"Unknown error.";
    }
}

} // namespace zpdf
