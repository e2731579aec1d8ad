#include "engine/conversion_controller.h"

#include <array>
#include <string>

#include "engine/field_check.h"
#include "engine/number_codec.h"

namespace trinumero {
namespace {

using Parser = Value (*)(std::string_view);
using Formatter = NumberText (*)(Value);

struct FieldTarget {
    int control;
    Formatter format;
};

struct FieldConversion {
    const char* kind;
    Parser parse;
    FieldTarget first;   // written first
    FieldTarget second;  // written second
};

// Indexed by control number.
constexpr std::array<FieldConversion, 3> kConversions = {{
    {"hex", ParseHexText, {kDecField, FormatDec}, {kBinField, FormatBin}},
    {"dec", ParseDecText, {kHexField, FormatHex}, {kBinField, FormatBin}},
    {"bin", ParseBinText, {kHexField, FormatHex}, {kDecField, FormatDec}},
}};

}  // namespace

void ConvertFromField(FieldAccess& fields, int control) {
    if (control < kHexField || control > kBinField) {
        return;
    }
    const FieldConversion& conversion = kConversions[static_cast<std::size_t>(control)];
    if (CheckTypedChar(fields, control, fields.EditHandle(control), conversion.kind) !=
        kCharAccepted) {
        // The check has selected the character and beeped; the other fields keep their texts.
        return;
    }
    const Value value = conversion.parse(fields.GetFieldText(control));
    fields.SetFieldText(conversion.first.control, conversion.first.format(value));
    fields.SetFieldText(conversion.second.control, conversion.second.format(value));
}

}  // namespace trinumero
