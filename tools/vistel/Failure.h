// Why a file could not be made into pages. Each reason has a text in the
// language catalogue that names the file ({FILE_NAME}).
#pragma once

enum class Failure {
    None,
    EmptyFile,   // 0 bytes
    Unreadable,  // cannot be opened or read
    Truncated,   // the file ends before its data does
    Damaged,     // a check sum or a structure does not hold
    TooLarge,    // more pixels than this program converts
    UnknownType, // no conversion for this kind of file
    NotWritten,  // the PDF could not be written
};

// The language key of the message for a failure.
const wchar_t* failureTextKey(Failure failure);
