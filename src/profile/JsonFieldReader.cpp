#include "profile/JsonFieldReader.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

int JsonFieldReader::Int(const Json::Value& value, int low, int high, int fallback)
{
    double number = 0;
    if (value.isBool())
        number = value.asBool() ? 1 : 0;
    else if (value.isDouble() && !std::isnan(value.asDouble())) // isDouble: any JSON number
        number = std::trunc(value.asDouble());
    else {
        ++m_repairs;
        return fallback;
    }
    // Large integers lose precision as doubles, which matters only beyond the clamp.
    if (value.isInt64())
        number = static_cast<double>(value.asInt64());
    if (number < low || number > high) {
        ++m_repairs;
        return number < low ? low : high;
    }
    return static_cast<int>(number);
}

uint8_t JsonFieldReader::Flag(const Json::Value& value)
{
    if (value.isBool())
        return value.asBool() ? 1 : 0;
    if (value.isDouble())
        return value.asDouble() != 0 ? 1 : 0;
    ++m_repairs;
    return 0;
}

std::string JsonFieldReader::Text(const Json::Value& value, const std::string& fallback)
{
    if (value.isString())
        return value.asString();
    ++m_repairs;
    return fallback;
}

int JsonFieldReader::IntOrDecimalText(const Json::Value& value, int low, int high, int fallback)
{
    if (!value.isString())
        return Int(value, low, high, fallback);
    const std::string text = value.asString();
    char* end = nullptr;
    errno = 0;
    long long number = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno == ERANGE) {
        ++m_repairs;
        return fallback;
    }
    if (number < low || number > high) {
        ++m_repairs;
        return number < low ? low : high;
    }
    return static_cast<int>(number);
}

Json::Value* JsonFieldReader::Member(Json::Value& object, const char* key)
{
    return object.isObject() ? &object[key] : nullptr;
}

const Json::Value& JsonFieldReader::Lookup(Json::Value& object, const char* key)
{
    Json::Value* member = Member(object, key);
    return member ? *member : Json::Value::nullSingleton();
}

Json::Value& JsonFieldReader::TypedMember(Json::Value& container, const char* key, Json::ValueType type)
{
    if (!container.isObject())
        container = Json::Value(Json::objectValue);
    Json::Value& member = container[key];
    if (member.type() != type)
        member = Json::Value(type);
    return member;
}

Json::Value& JsonFieldReader::ObjectMember(Json::Value& container, const char* key)
{
    return TypedMember(container, key, Json::objectValue);
}

Json::Value& JsonFieldReader::ArrayMember(Json::Value& container, const char* key)
{
    return TypedMember(container, key, Json::arrayValue);
}

Json::Value& JsonFieldReader::ObjectElement(Json::Value& array, Json::ArrayIndex index)
{
    if (!array.isArray())
        array = Json::Value(Json::arrayValue);
    Json::Value& element = array[index];
    if (!element.isObject())
        element = Json::Value(Json::objectValue);
    return element;
}
