#include "zpdf/Names.h"

#include <algorithm>
#include <vector>

namespace zpdf {

namespace {

std::vector<const IPtr<Name>*>& registry()
{
    static std::vector<const IPtr<Name>*> names;
    return names;
}

// Never released, and immortal: objects anywhere, on any thread, may point
// at the constants, also during exit.
const IPtr<Name>& constant(const char* text)
{
    auto* name = new IPtr<Name>(new Name(text));
    (*name)->makeImmortal();
    registry().push_back(name);
    return *name;
}

} // namespace

const IPtr<Name>* findWellKnownName(const DataBuffer& bytes)
{
    static const std::vector<const IPtr<Name>*> sorted = [] {
        std::vector<const IPtr<Name>*> names = registry();
        std::sort(names.begin(), names.end(),
                  [](const IPtr<Name>* a, const IPtr<Name>* b) { return (*a)->bytes().compare((*b)->bytes()) < 0; });
        return names;
    }();
    const auto it = std::lower_bound(sorted.begin(), sorted.end(), bytes,
                                     [](const IPtr<Name>* a, const DataBuffer& b) { return (*a)->bytes().compare(b) < 0; });
    return it != sorted.end() && (**it)->bytes().equals(bytes) ? *it : nullptr;
}

// Document structure
const IPtr<Name>& kRoot = constant("Root");
const IPtr<Name>& kPages = constant("Pages");
const IPtr<Name>& kPage = constant("Page");
const IPtr<Name>& kKids = constant("Kids");
const IPtr<Name>& kCount = constant("Count");
const IPtr<Name>& kParent = constant("Parent");
const IPtr<Name>& kType = constant("Type");
const IPtr<Name>& kCatalog = constant("Catalog");
const IPtr<Name>& kSize = constant("Size");
const IPtr<Name>& kPrev = constant("Prev");
const IPtr<Name>& kInfo = constant("Info");
const IPtr<Name>& kID = constant("ID");
const IPtr<Name>& kEncrypt = constant("Encrypt");
const IPtr<Name>& kXRefStm = constant("XRefStm");
const IPtr<Name>& kIndex = constant("Index");
const IPtr<Name>& kW = constant("W");
const IPtr<Name>& kObjStm = constant("ObjStm");
const IPtr<Name>& kXRef = constant("XRef");
const IPtr<Name>& kN = constant("N");
const IPtr<Name>& kFirst = constant("First");
const IPtr<Name>& kLength = constant("Length");

// Page attributes
const IPtr<Name>& kMediaBox = constant("MediaBox");
const IPtr<Name>& kResources = constant("Resources");
const IPtr<Name>& kContents = constant("Contents");
const IPtr<Name>& kRotate = constant("Rotate");
const IPtr<Name>& kCropBox = constant("CropBox");
const IPtr<Name>& kBleedBox = constant("BleedBox");
const IPtr<Name>& kTrimBox = constant("TrimBox");
const IPtr<Name>& kArtBox = constant("ArtBox");

// Document information
const IPtr<Name>& kTitle = constant("Title");
const IPtr<Name>& kAuthor = constant("Author");
const IPtr<Name>& kSubject = constant("Subject");
const IPtr<Name>& kKeywords = constant("Keywords");
const IPtr<Name>& kCreator = constant("Creator");
const IPtr<Name>& kProducer = constant("Producer");
const IPtr<Name>& kCreationDate = constant("CreationDate");

// Encryption
const IPtr<Name>& kV = constant("V");
const IPtr<Name>& kP = constant("P");

// Filters
const IPtr<Name>& kFilter = constant("Filter");
const IPtr<Name>& kDecodeParms = constant("DecodeParms");
const IPtr<Name>& kFlateDecode = constant("FlateDecode");
const IPtr<Name>& kASCIIHexDecode = constant("ASCIIHexDecode");
const IPtr<Name>& kASCII85Decode = constant("ASCII85Decode");
const IPtr<Name>& kRunLengthDecode = constant("RunLengthDecode");
const IPtr<Name>& kPredictor = constant("Predictor");
const IPtr<Name>& kColors = constant("Colors");
const IPtr<Name>& kBitsPerComponent = constant("BitsPerComponent");
const IPtr<Name>& kColumns = constant("Columns");
const IPtr<Name>& kDCTDecode = constant("DCTDecode");
const IPtr<Name>& kBPC = constant("BPC");

// Signature fields, annotations, images and resources
const IPtr<Name>& kAcroForm = constant("AcroForm");
const IPtr<Name>& kFields = constant("Fields");
const IPtr<Name>& kSig = constant("Sig");
const IPtr<Name>& kAdobe_PPKLite = constant("Adobe.PPKLite");
const IPtr<Name>& kAdbe_x509_rsa_sha1 = constant("adbe.x509.rsa_sha1");
const IPtr<Name>& kSubFilter = constant("SubFilter");
const IPtr<Name>& kByteRange = constant("ByteRange");
const IPtr<Name>& kCert = constant("Cert");
const IPtr<Name>& kReference = constant("Reference");
const IPtr<Name>& kChanges = constant("Changes");
const IPtr<Name>& kName = constant("Name");
const IPtr<Name>& kLocation = constant("Location");
const IPtr<Name>& kReason = constant("Reason");
const IPtr<Name>& kContactInfo = constant("ContactInfo");
const IPtr<Name>& kM = constant("M");
const IPtr<Name>& kR = constant("R");
const IPtr<Name>& kFT = constant("FT");
const IPtr<Name>& kT = constant("T");
const IPtr<Name>& kDR = constant("DR");
const IPtr<Name>& kAnnot = constant("Annot");
const IPtr<Name>& kAnnots = constant("Annots");
const IPtr<Name>& kWidget = constant("Widget");
const IPtr<Name>& kSubtype = constant("Subtype");
const IPtr<Name>& kRect = constant("Rect");
const IPtr<Name>& kXObject = constant("XObject");
const IPtr<Name>& kImage = constant("Image");
const IPtr<Name>& kWidth = constant("Width");
const IPtr<Name>& kHeight = constant("Height");
const IPtr<Name>& kColorSpace = constant("ColorSpace");
const IPtr<Name>& kDeviceRGB = constant("DeviceRGB");
const IPtr<Name>& kFont = constant("Font");
const IPtr<Name>& kExtGState = constant("ExtGState");
const IPtr<Name>& kPattern = constant("Pattern");
const IPtr<Name>& kShading = constant("Shading");
const IPtr<Name>& kProperties = constant("Properties");
const IPtr<Name>& kProcSet = constant("ProcSet");
const IPtr<Name>& kPDF = constant("PDF");
const IPtr<Name>& kText = constant("Text");
const IPtr<Name>& kImageB = constant("ImageB");
const IPtr<Name>& kImageC = constant("ImageC");
const IPtr<Name>& kImageI = constant("ImageI");

} // namespace zpdf
