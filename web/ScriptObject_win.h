// Reading and writing the members of script objects through IDispatch.
// Failures throw std::runtime_error with the texts the bridge reports.
#pragma once

#include "base/ZString.h"
#include "web/ComPtr.h"

#include <oaidl.h>

#include <map>
#include <vector>

namespace script {

// The member's DISPID; DISPID_UNKNOWN when the object has no such member.
DISPID memberId(IDispatch* object, const ZString& name);
// HRESULT of reading a member into value (VT_EMPTY when absent).
HRESULT getMember(IDispatch* object, const ZString& name, VARIANT* value);

// "Error getting bool for name '%s'" (int, string, dispatch alike) when the
// member exists but cannot be read as that type.
bool getBool(IDispatch* object, const ZString& name, bool defaultValue);
int getInt(IDispatch* object, const ZString& name, int defaultValue);
ZString getString(IDispatch* object, const ZString& name, const ZString& defaultValue);
ComPtr<IDispatch> getDispatch(IDispatch* object, const ZString& name);

// "Error converting from '%d' to int" / "... to string" (%d: the variant type).
int toInt(const VARIANT& value);
ZString toString(const VARIANT& value);

// The names of an object's own members (IDispatchEx enumeration).
std::vector<ZString> memberNames(IDispatch* object);

HRESULT setMember(IDispatch* object, const ZString& name, const VARIANT& value);
HRESULT setString(IDispatch* object, const ZString& name, const ZString& value);
HRESULT setBool(IDispatch* object, const ZString& name, bool value);
HRESULT setInt(IDispatch* object, const ZString& name, int value);
HRESULT setObject(IDispatch* object, const ZString& name, IDispatch* value);
// Calls the member function with the arguments in their natural order.
HRESULT callMember(IDispatch* object, const ZString& name, const std::vector<VARIANT>& args, VARIANT* result = nullptr);
// A new object made by the page's "Object" constructor.
ComPtr<IDispatch> newObject(IDispatch* scriptGlobal);
// A new object holding the pairs as string members.
ComPtr<IDispatch> newObject(IDispatch* scriptGlobal, const std::map<ZString, ZString>& members);

} // namespace script
