#include "tools/vistel/Failure.h"

const wchar_t* failureTextKey(Failure failure)
{
    switch (failure) {
    case Failure::None:
        break;
    case Failure::EmptyFile:
        return L"vistel/~empty-file";
    case Failure::Unreadable:
        return L"vistel/~unreadable-file";
    case Failure::Truncated:
        return L"vistel/~truncated-file";
    case Failure::Damaged:
        return L"vistel/~damaged-file";
    case Failure::TooLarge:
        return L"vistel/~image-too-large";
    case Failure::UnknownType:
        return L"vistel/~type-not-convertible";
    case Failure::NotWritten:
        return L"vistel/~pdf-not-written";
    }
    return L"vistel/~unreadable-file";
}
