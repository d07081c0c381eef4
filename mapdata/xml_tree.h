// The element tree of an XML document, built with expat.
//
// Limits that keep memory bounded: the input size (MaxXmlBytes), the nesting depth
// (MaxXmlDepth), the number of nodes (MaxXmlNodes) and the characters kept as names and texts
// (MaxXmlTextBytes); expat's protection against entity expansion is on, and external entities
// are never read. Input beyond a limit is rejected like input that is not well formed.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

constexpr size_t MaxXmlBytes = 64u << 20;
constexpr int MaxXmlDepth = 256;
constexpr size_t MaxXmlNodes = 100000;
constexpr size_t MaxXmlTextBytes = 64u << 20;

enum XmlNodeKind {
  XmlElement,
  XmlComment,
  XmlProcessingInstruction,
  XmlCData,                // a character-data section; its content is its text
  XmlDocumentType,         // the document type declaration
};

struct XmlNode {
  XmlNodeKind kind = XmlElement;
  std::string name;                // element name as written; target of a processing instruction
  std::string text;                // an element's own character data, entities decoded
  std::vector<XmlNode> children;   // in document order
};

struct XmlDocument {
  std::vector<XmlNode> top;   // the nodes at document level: the root element and the prolog
  int root = -1;              // index of the root element in top, -1 when there is none
};

// Parses the bytes; false when they are not a well-formed document or break a limit. Input that
// ends without ever opening an element (empty, or only a declaration, comments and white space)
// parses as a document without root.
bool ParseXml(const unsigned char* data, size_t size, XmlDocument& document);
