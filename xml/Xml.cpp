// The XML reader: turns a build or link description into a CXmlElement tree.
// It reads character by character with one character of look-ahead, accepts only the subset the
// toolchain writes, and answers every deviation with xmlFormatError. Elements are read with an
// explicit stack of open elements, so the nesting depth of the input never reaches the C++ stack;
// depth is still bounded so that callers may walk the tree recursively.
#include "Xml.h"

#include <cstdio>

namespace {

const int kEndOfInput = -1;
const std::size_t kMaxXmlText = 999;     // names, attribute values and runs of character data
const std::size_t kMaxXmlDepth = 1000;   // open elements, the root included
const std::size_t kFileChunk = 65536;
const int kCharModulus = 256;            // character references wrap to one byte
const std::size_t kMaxEntityName = 4;    // "quot" is the longest entity name

// Characters of one input, from memory or from an open file, with one character of look-ahead.
class CXmlSource {
public:
    explicit CXmlSource(const std::string& text) : buf(text), end(text.size()) {}
    // A file is read through one chunk buffer, sized once.
    explicit CXmlSource(FILE* file) : buf(kFileChunk, '\0'), f(file) {}

    int Peek()
    {
        if (pos == end && !Refill()) return kEndOfInput;
        return static_cast<unsigned char>(buf[pos]);
    }
    int Get()
    {
        int c = Peek();
        if (c != kEndOfInput) ++pos;
        return c;
    }
    bool ReadFailed() const { return failed; }

private:
    bool Refill()
    {
        if (!f || failed) return false;
        end = std::fread(&buf[0], 1, buf.size(), f);
        if (end == 0 && std::ferror(f)) failed = true;
        pos = 0;
        return end > 0;
    }

    std::string buf;
    std::size_t pos = 0;
    std::size_t end = 0;
    FILE* f = nullptr;
    bool failed = false;
};

bool IsBlank(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool IsLetter(int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(int c) { return c >= '0' && c <= '9'; }

int HexDigitValue(int c)
{
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The grammar of the accepted subset, one method per production. Every method returns false on
// the first deviation; the caller turns that into xmlFormatError.
class CXmlParser {
public:
    explicit CXmlParser(CXmlSource& source) : in(source) {}

    // Document = Declaration { Blanks Comment } Blanks Element { Blanks Comment } Blanks.
    bool Document(std::unique_ptr<CXmlElement>& root)
    {
        if (!Declaration()) return false;
        for (;;) {
            SkipBlanks();
            if (in.Get() != '<') return false;
            int c = in.Get();
            if (c == '!') {
                if (!Comment()) return false;
            } else if (IsLetter(c)) {
                root = std::make_unique<CXmlElement>();
                if (!ElementTree(*root, c)) return false;
                break;
            } else {
                return false;
            }
        }
        return Epilog();
    }

private:
    void SkipBlanks()
    {
        while (IsBlank(in.Peek())) in.Get();
    }

    bool Expect(int c) { return in.Get() == c; }

    bool ExpectText(const char* text)
    {
        for (; *text; ++text)
            if (!Expect(static_cast<unsigned char>(*text))) return false;
        return true;
    }

    // Declaration = "<?xml" Blanks "version" Blanks "=" Blanks '"' "1.0" Blanks '"' Blanks "?>".
    bool Declaration()
    {
        if (!ExpectText("<?xml")) return false;
        SkipBlanks();
        std::string name;
        if (!IsLetter(in.Peek()) || !Name(in.Get(), name) || name != "version") return false;
        if (!Expect('=')) return false;
        SkipBlanks();
        if (!Expect('"') || !ExpectText("1.0")) return false;
        SkipBlanks();
        if (!Expect('"')) return false;
        SkipBlanks();
        return Expect('?') && Expect('>');
    }

    // Epilog = { Blanks "<!" Comment } Blanks end-of-input.
    bool Epilog()
    {
        for (;;) {
            SkipBlanks();
            int c = in.Get();
            if (c == kEndOfInput) return true;
            if (c != '<' || !Expect('!') || !Comment()) return false;
        }
    }

    // Comment, after "<!": "--" then anything up to "-->"; a body may hold single dashes.
    bool Comment()
    {
        if (!Expect('-') || !Expect('-')) return false;
        for (;;) {
            SkipBlanks();
            int c = in.Get();
            if (c == kEndOfInput) return false;
            if (c != '-') continue;
            if (in.Peek() != '-') continue;
            in.Get();
            return Expect('>');
        }
    }

    // Name = Letter (Letter | Digit) {Letter | Digit} Blanks, the first letter already read.
    bool Name(int first, std::string& name)
    {
        name.assign(1, static_cast<char>(first));
        while (IsLetter(in.Peek()) || IsDigit(in.Peek())) {
            if (name.size() == kMaxXmlText) return false;
            name += static_cast<char>(in.Get());
        }
        if (name.size() < 2) return false;
        SkipBlanks();
        return true;
    }

    // Entity, after "&": "amp;" | "lt;" | "gt;" | "quot;" | "#" Digits ";" | "#x" HexDigits ";".
    bool Entity(std::string& out)
    {
        if (in.Peek() == '#') {
            in.Get();
            return CharReference(out);
        }
        std::string name;
        while (IsLetter(in.Peek()) && name.size() < kMaxEntityName) name += static_cast<char>(in.Get());
        if (!Expect(';')) return false;
        if (name == "amp") out += '&';
        else if (name == "lt") out += '<';
        else if (name == "gt") out += '>';
        else if (name == "quot") out += '"';
        else return false;
        return true;
    }

    bool CharReference(std::string& out)
    {
        int base = 10;
        if (in.Peek() == 'x') {
            in.Get();
            base = 16;
        }
        int value = 0;
        int digits = 0;
        for (;;) {
            int d = base == 16 ? HexDigitValue(in.Peek()) : (IsDigit(in.Peek()) ? in.Peek() - '0' : -1);
            if (d < 0) break;
            in.Get();
            value = (value * base + d) % kCharModulus;
            ++digits;
        }
        if (digits == 0 || !Expect(';')) return false;
        out += static_cast<char>(value);
        return true;
    }

    // Text up to `stop` (not consumed), entities decoded; `forbidden` is a format error.
    bool Characters(int stop, int forbidden, std::string& out)
    {
        out.clear();
        for (;;) {
            int c = in.Peek();
            if (c == kEndOfInput || c == forbidden) return false;
            if (c == stop) return true;
            in.Get();
            if (c == '&') {
                if (!Entity(out)) return false;
            } else {
                out += static_cast<char>(c);
            }
            if (out.size() > kMaxXmlText) return false;
        }
    }

    // Attribute = Name "=" Blanks '"' Value '"' Blanks, the first letter already read.
    bool Attribute(int first, CXmlElement& element)
    {
        std::string name, value;
        if (!Name(first, name) || !Expect('=')) return false;
        SkipBlanks();
        if (!Expect('"') || !Characters('"', '<', value)) return false;
        in.Get();
        SkipBlanks();
        element.AddAttribute(name, value);
        return true;
    }

    // StartTag, after "<" and the first letter: Name {Attribute} ("/>" | ">").
    // `empty` tells whether the element ended with "/>".
    bool StartTag(int first, CXmlElement& element, bool& empty)
    {
        if (!Name(first, element.name)) return false;
        while (IsLetter(in.Peek()))
            if (!Attribute(in.Get(), element)) return false;
        int c = in.Get();
        empty = c == '/';
        if (empty) return Expect('>');
        return c == '>';
    }

    // EndTag, after "</": the open element's name, Blanks, ">".
    bool EndTag(const CXmlElement& element)
    {
        int first = in.Get();
        std::string name;
        if (!IsLetter(first) || !Name(first, name)) return false;
        return name == element.name && Expect('>');
    }

    // The data before the next tag becomes the text of `element` before its first child,
    // and the tail of its last child after that.
    static void Place(CXmlElement& element, std::string& data)
    {
        if (data.empty()) return;
        if (element.children.empty()) element.text = std::move(data);
        else element.children.back()->tail = std::move(data);
    }

    // Element = StartTag [Content EndTag];  Content = {Characters ("<" Element | "<!" Comment)}.
    // The open elements are kept on `open` instead of the C++ stack.
    bool ElementTree(CXmlElement& root, int first)
    {
        bool empty = false;
        if (!StartTag(first, root, empty)) return false;
        if (empty) return true;
        std::vector<CXmlElement*> open{&root};
        std::string data;
        while (!open.empty()) {
            CXmlElement& element = *open.back();
            if (!Characters('<', '"', data)) return false;
            Place(element, data);
            in.Get();
            int c = in.Get();
            if (c == '/') {
                if (!EndTag(element)) return false;
                open.pop_back();
            } else if (c == '!') {
                if (!Comment()) return false;
            } else if (IsLetter(c)) {
                CXmlElement* child = element.AddChild();
                if (!StartTag(c, *child, empty)) return false;
                if (!empty) {
                    if (open.size() == kMaxXmlDepth) return false;
                    open.push_back(child);
                }
            } else {
                return false;
            }
        }
        return true;
    }

    CXmlSource& in;
};

}  // namespace

const std::string* CXmlElement::AttributeValue(const std::string& attr) const
{
    for (const CXmlAttribute& a : attributes)
        if (a.name == attr) return a.value ? &*a.value : nullptr;
    return nullptr;
}

void CXmlElement::AddAttribute(const std::string& attr, const std::string& value)
{
    CXmlAttribute a;
    a.name = attr;
    if (!value.empty()) a.value = value;
    attributes.push_back(std::move(a));
}

CXmlElement* CXmlElement::AddChild(const std::string& childName)
{
    children.push_back(std::make_unique<CXmlElement>());
    children.back()->name = childName;
    return children.back().get();
}

XmlResult XmlLoad(const std::string& path, std::unique_ptr<CXmlElement>& root)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return xmlCannotOpen;
    CXmlSource source(f);
    CXmlParser parser(source);
    bool ok = parser.Document(root);
    bool unreadable = source.ReadFailed();
    if (std::fclose(f) != 0) return xmlCannotClose;
    if (unreadable) return xmlCannotOpen;   // a folder, for instance, opens but cannot be read
    return ok ? xmlOk : xmlFormatError;
}

XmlResult XmlParse(const std::string& text, std::unique_ptr<CXmlElement>& root)
{
    CXmlSource source(text);
    CXmlParser parser(source);
    return parser.Document(root) ? xmlOk : xmlFormatError;
}

std::string XmlEscape(const std::string& value)
{
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c; break;
        }
    }
    return out;
}
