#pragma once

#include <json/value.h>

#include <cstdint>
#include <string>

// Reads typed fields out of untrusted JSON without ever throwing: a value of the wrong type
// reads as the field's default, a number outside the field's range is clamped into it. Every
// such repair (a missing value included) is counted, so a caller can tell a complete file from
// one that needed mending.
class JsonFieldReader {
public:
    // A number (or a bool as 0/1) truncated to an integer and clamped to [low, high];
    // fallback for null and every other type.
    int Int(const Json::Value& value, int low, int high, int fallback = 0);
    uint8_t Byte(const Json::Value& value) { return static_cast<uint8_t>(Int(value, 0, 0xFF)); }
    uint16_t Word(const Json::Value& value) { return static_cast<uint16_t>(Int(value, 0, 0xFFFF)); }
    // A flag: true, false, or any number (non-zero is 1); 0 for every other type.
    uint8_t Flag(const Json::Value& value);
    // A string as it is; fallback for every other type.
    std::string Text(const Json::Value& value, const std::string& fallback = {});
    // A string or a decimal number in a string, as macro delays are stored, clamped like Int.
    int IntOrDecimalText(const Json::Value& value, int low, int high, int fallback = 0);

    int Repairs() const { return m_repairs; }
    void ResetRepairs() { m_repairs = 0; }
    // Counts a repair found by the caller (a section of the wrong type, a dropped element).
    void NoteRepair() { ++m_repairs; }

    // Member key of object, inserted as null when missing (the program's files carry every key a
    // reader looked for); a null value when object is no object, so nothing is ever inserted there.
    static const Json::Value& Lookup(Json::Value& object, const char* key);
    // The same member for reading further in: null pointer when object is no object.
    static Json::Value* Member(Json::Value& object, const char* key);
    // Member key of container as an object for writing: container becomes an object when it is
    // none, and a member of another type is replaced by an empty object.
    static Json::Value& ObjectMember(Json::Value& container, const char* key);
    // The same for a member that must be an array.
    static Json::Value& ArrayMember(Json::Value& container, const char* key);
    // Element index of array as an object for writing: the array grows with nulls as needed, and
    // an element of another type becomes an empty object.
    static Json::Value& ObjectElement(Json::Value& array, Json::ArrayIndex index);

private:
    static Json::Value& TypedMember(Json::Value& container, const char* key, Json::ValueType type);

    int m_repairs = 0;
};
