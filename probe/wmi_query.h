#pragma once
#include <string>

// One property of the objects that a WQL query returns, as text: the value of
// the last object that has a property of exactly that name; empty when none
// has, when WMI cannot be reached or when the value has no text form. Each
// call opens its own connection and processes pending window messages once
// per property read.
std::string QueryWmiProperty(const std::string& query, const std::string& propertyName);
