#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

// How the section dialogs show the members of a section record in their controls and read them back.
// The Qt dialogs only move texts and check marks between these rules and their widgets.

enum class FieldKind { Text, Number, Check };

// One edit box or check box of a section dialog, bound to one member of its record. Numbers take the
// range of their member's width; texts take at most maxChars characters (0: no limit of their own).
template <class Record>
struct SectionField {
    const char* label;
    const char* objectName;
    int controlId;
    FieldKind kind;
    std::variant<std::string Record::*, std::uint8_t Record::*, std::uint32_t Record::*> member;
    int maxChars = 0;
};

// What a control holds: the text of an edit box, the mark of a check box.
struct FieldInput {
    std::string text;
    bool checked = false;

    bool operator==(const FieldInput&) const = default;
};

// The control that refused its text on OK, by its position in the field table, and what to tell.
struct FieldProblem {
    std::size_t field = 0;
    std::string prompt;
};

// The edit boxes' limit when the box has no limit of its own.
constexpr int UnlimitedChars = 32767;

// A text box never takes fewer characters than the text it opens with, so opening a dialog and
// pressing OK never cuts a value that came from a file.
int TextLimit(int maxChars, std::size_t existingLength);

// A number as an edit box shows it: unsigned decimal.
std::string NumberText(std::uint32_t value);
// The number in an edit box: unsigned decimal, or hexadecimal after "0x"; blanks around it are
// ignored. Nothing when the text is no such number or lies above the maximum.
std::optional<std::uint32_t> ParseFieldNumber(const std::string& text, std::uint32_t maximum);
// The prompt for a number outside its field's range.
std::string RangePrompt(const char* label, std::uint32_t maximum);

template <class Record>
FieldInput LoadField(const Record& record, const SectionField<Record>& field) {
    FieldInput input;
    std::visit(
        [&](auto member) {
            using Value = std::remove_cvref_t<decltype(record.*member)>;
            if constexpr (std::is_same_v<Value, std::string>) {
                input.text = record.*member;
            } else if (field.kind == FieldKind::Check) {
                input.checked = record.*member != 0;
            } else {
                input.text = NumberText(record.*member);
            }
        },
        field.member);
    return input;
}

template <class Record>
std::vector<FieldInput> LoadFields(const Record& record, std::span<const SectionField<Record>> fields) {
    std::vector<FieldInput> inputs;
    inputs.reserve(fields.size());
    for (const SectionField<Record>& field : fields) {
        inputs.push_back(LoadField(record, field));
    }
    return inputs;
}

// Stores every control into the record (check boxes as 1 or 0), or names the first control whose text
// is no valid value; the record is then left as it was.
template <class Record>
std::optional<FieldProblem> StoreFields(Record& record, std::span<const SectionField<Record>> fields,
                                        const std::vector<FieldInput>& inputs) {
    Record result = record;
    for (std::size_t i = 0; i < fields.size() && i < inputs.size(); ++i) {
        const SectionField<Record>& field = fields[i];
        const FieldInput& input = inputs[i];
        bool valid = true;
        std::uint32_t maximum = 0;
        std::visit(
            [&](auto member) {
                using Value = std::remove_cvref_t<decltype(result.*member)>;
                if constexpr (std::is_same_v<Value, std::string>) {
                    result.*member = input.text;
                } else if (field.kind == FieldKind::Check) {
                    result.*member = input.checked ? 1 : 0;
                } else {
                    maximum = std::numeric_limits<Value>::max();
                    const auto number = ParseFieldNumber(input.text, maximum);
                    valid = number.has_value();
                    result.*member = static_cast<Value>(number.value_or(0));
                }
            },
            field.member);
        if (!valid) {
            return FieldProblem{i, RangePrompt(field.label, maximum)};
        }
    }
    record = std::move(result);
    return std::nullopt;
}

// Copies the members the fields are bound to, and nothing else.
template <class Record>
void CopyFields(const Record& from, Record& to, std::span<const SectionField<Record>> fields) {
    for (const SectionField<Record>& field : fields) {
        std::visit([&](auto member) { to.*member = from.*member; }, field.member);
    }
}

// The field of a table with the given object name, or nothing.
template <class Record>
const SectionField<Record>* FindField(std::span<const SectionField<Record>> fields, const char* objectName) {
    const auto it = std::find_if(fields.begin(), fields.end(), [&](const SectionField<Record>& field) {
        return std::string_view(field.objectName) == objectName;
    });
    return it == fields.end() ? nullptr : &*it;
}
