#pragma once
#include <oaidl.h>
#include <windows.h>

#include <initializer_list>
#include <string>
#include <string_view>

#include "probe/com_owners.h"

// Late-bound access to automation objects by member name. A failed call gives
// an empty result; callers carry on with it and every later call on an empty
// object fails the same way.

// ANSI code page text to UTF-16 and back, for COM's strings.
std::wstring AnsiToWide(std::string_view text);
std::string WideToAnsi(const wchar_t* text, std::size_t length);

ComPtr<IDispatch> CreateObjectByProgId(const wchar_t* progId);
// A property read without arguments; VT_EMPTY when it fails.
Variant GetAutomationProperty(IDispatch* object, const wchar_t* member);
// A method call with the given text arguments followed by `omitted` missing
// optional arguments; VT_EMPTY when it fails.
Variant CallAutomationMethod(IDispatch* object, const wchar_t* member,
                             std::initializer_list<std::wstring_view> arguments, int omitted);

// The object a variant holds, with a reference of its own; empty for any
// other value.
ComPtr<IDispatch> VariantToObject(const VARIANT& value);
ComPtr<IUnknown> VariantToUnknown(const VARIANT& value);
// Text as is, other values as VariantChangeType makes them text; empty for
// values without a text form (null, arrays, objects).
std::string VariantToText(const VARIANT& value);
