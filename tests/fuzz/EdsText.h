#pragma once

#include <initializer_list>
#include <string>

// Builds EDS texts for the hostile-content and fault-injection tests: the descriptive sections an
// import requires, then whatever object lists and index sections a test appends.
class EdsText {
public:
    EdsText();

    EdsText& Section(const std::string& name);
    EdsText& Key(const std::string& key, const std::string& value);
    // An object list whose entries are the given index numbers, in order.
    EdsText& List(const std::string& name, std::initializer_list<unsigned> indices);
    // A VAR index of the given data type with a name and a default value.
    EdsText& Var(unsigned index, const std::string& name, unsigned dataType, const std::string& defaultValue);

    // One subindex section of a structured index.
    EdsText& Sub(unsigned index, unsigned subindex, const std::string& name, unsigned dataType,
                 const std::string& defaultValue);

    const std::string& Text() const { return m_text; }

private:
    std::string m_text;
};

// A complete small device: mandatory 0x1000 and 0x1018, optional 0x1008 (a VISIBLE_STRING) and
// manufacturer 0x2000.
std::string SmallDevice();
