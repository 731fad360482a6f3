// The XML reader shared by the compiler, the linker and the makefile creator.
// It accepts exactly the subset of XML that the toolchain writes (declaration with version 1.0,
// elements, attributes in double quotes, character data, comments, the entities amp, lt, gt
// and quot, and character references) and builds an element tree that the caller owns.
// Names, attribute values and runs of character data hold at most 999 characters, and elements
// nest at most 1000 deep; anything longer or deeper is a format error.
#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct CXmlAttribute {
    std::string name;
    std::optional<std::string> value;   // none when the value is empty
};

class CXmlElement {
public:
    std::string name;
    std::vector<CXmlAttribute> attributes;          // document order
    std::optional<std::string> text;                 // character data before the first child
    std::optional<std::string> tail;                 // character data after this element in its parent
    std::vector<std::unique_ptr<CXmlElement>> children;

    // The value of the first attribute named exactly `attr`, or nullptr when absent or empty.
    const std::string* AttributeValue(const std::string& attr) const;
    // Appends an attribute; an empty value is stored as none.
    void AddAttribute(const std::string& attr, const std::string& value);
    // Appends a new, empty child element and returns it.
    CXmlElement* AddChild(const std::string& childName = std::string());
};

enum XmlResult {
    xmlOk = 0,           // read, and the file closed
    xmlCannotOpen = 1,   // the file cannot be opened for reading
    xmlCannotClose = 2,  // the file could not be closed
    xmlFormatError = 3,  // the text is not of the accepted subset
};

// Reads `path` into `root`. Once the root element has been started it belongs to the caller,
// partly built or not, whatever the result.
XmlResult XmlLoad(const std::string& path, std::unique_ptr<CXmlElement>& root);
// The same grammar over text in memory (no file to open or close: 0 or 3).
XmlResult XmlParse(const std::string& text, std::unique_ptr<CXmlElement>& root);

// Escapes &, <, > and " with the entities the reader decodes, for writers of attribute values.
std::string XmlEscape(const std::string& value);
