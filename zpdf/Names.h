// The well-known PDF names: one shared Name per key or value, alive for the whole run.
// Dictionaries use them as keys, so lookups and insertions need no new objects.
// They are ready once static initialisation is over (not for use in other
// static initialisers).
#pragma once

#include "zpdf/Name.h"

namespace zpdf {

// The constant whose bytes these are, or null.
const IPtr<Name>* findWellKnownName(const DataBuffer& bytes);

// Document structure
extern const IPtr<Name>& kRoot;
extern const IPtr<Name>& kPages;
extern const IPtr<Name>& kPage;
extern const IPtr<Name>& kKids;
extern const IPtr<Name>& kCount;
extern const IPtr<Name>& kParent;
extern const IPtr<Name>& kType;
extern const IPtr<Name>& kCatalog;
extern const IPtr<Name>& kSize;
extern const IPtr<Name>& kPrev;
extern const IPtr<Name>& kInfo;
extern const IPtr<Name>& kID;
extern const IPtr<Name>& kEncrypt;
extern const IPtr<Name>& kXRefStm;
extern const IPtr<Name>& kIndex;
extern const IPtr<Name>& kW;
extern const IPtr<Name>& kObjStm;
extern const IPtr<Name>& kXRef;
extern const IPtr<Name>& kN;
extern const IPtr<Name>& kFirst;
extern const IPtr<Name>& kLength;

// Page attributes
extern const IPtr<Name>& kMediaBox;
extern const IPtr<Name>& kResources;
extern const IPtr<Name>& kContents;
extern const IPtr<Name>& kRotate;
extern const IPtr<Name>& kCropBox;
extern const IPtr<Name>& kBleedBox;
extern const IPtr<Name>& kTrimBox;
extern const IPtr<Name>& kArtBox;

// Document information
extern const IPtr<Name>& kTitle;
extern const IPtr<Name>& kAuthor;
extern const IPtr<Name>& kSubject;
extern const IPtr<Name>& kKeywords;
extern const IPtr<Name>& kCreator;
extern const IPtr<Name>& kProducer;
extern const IPtr<Name>& kCreationDate;

// Encryption
extern const IPtr<Name>& kV;
extern const IPtr<Name>& kP;

// Filters
extern const IPtr<Name>& kFilter;
extern const IPtr<Name>& kDecodeParms;
extern const IPtr<Name>& kFlateDecode;
extern const IPtr<Name>& kASCIIHexDecode;
extern const IPtr<Name>& kASCII85Decode;
extern const IPtr<Name>& kRunLengthDecode;
extern const IPtr<Name>& kPredictor;
extern const IPtr<Name>& kColors;
extern const IPtr<Name>& kBitsPerComponent;
extern const IPtr<Name>& kColumns;
extern const IPtr<Name>& kDCTDecode;
extern const IPtr<Name>& kBPC;

// Signature fields, annotations, images and resources
extern const IPtr<Name>& kAcroForm;
extern const IPtr<Name>& kFields;
extern const IPtr<Name>& kSig;
extern const IPtr<Name>& kAdobe_PPKLite; // /Adobe.PPKLite
extern const IPtr<Name>& kAdbe_x509_rsa_sha1; // /adbe.x509.rsa_sha1
extern const IPtr<Name>& kSubFilter;
extern const IPtr<Name>& kByteRange;
extern const IPtr<Name>& kCert;
extern const IPtr<Name>& kReference;
extern const IPtr<Name>& kChanges;
extern const IPtr<Name>& kName;
extern const IPtr<Name>& kLocation;
extern const IPtr<Name>& kReason;
extern const IPtr<Name>& kContactInfo;
extern const IPtr<Name>& kM;
extern const IPtr<Name>& kR;
extern const IPtr<Name>& kFT;
extern const IPtr<Name>& kT;
extern const IPtr<Name>& kDR;
extern const IPtr<Name>& kAnnot;
extern const IPtr<Name>& kAnnots;
extern const IPtr<Name>& kWidget;
extern const IPtr<Name>& kSubtype;
extern const IPtr<Name>& kRect;
extern const IPtr<Name>& kXObject;
extern const IPtr<Name>& kImage;
extern const IPtr<Name>& kWidth;
extern const IPtr<Name>& kHeight;
extern const IPtr<Name>& kColorSpace;
extern const IPtr<Name>& kDeviceRGB;
extern const IPtr<Name>& kFont;
extern const IPtr<Name>& kExtGState;
extern const IPtr<Name>& kPattern;
extern const IPtr<Name>& kShading;
extern const IPtr<Name>& kProperties;
extern const IPtr<Name>& kProcSet;
extern const IPtr<Name>& kPDF;
extern const IPtr<Name>& kText;
extern const IPtr<Name>& kImageB;
extern const IPtr<Name>& kImageC;
extern const IPtr<Name>& kImageI;

} // namespace zpdf
