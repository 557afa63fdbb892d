// The one owner of a VARIANT: cleared when it goes.
#pragma once

#include <oaidl.h>
#include <oleauto.h>

class Variant {
public:
    Variant() { VariantInit(&v); }
    ~Variant() { VariantClear(&v); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;

    VARIANT* operator&() { return &v; }
    VARIANT v;
};
