// The element tree built from expat's callbacks.
#include "mapdata/xml_tree.h"

// The system's expat is built with DTD support; its header hides the entity-expansion limits
// unless told so.
#ifndef XML_DTD
#define XML_DTD 1
#endif
#include <expat.h>

#include <climits>
#include <cstring>

namespace {

// Entity expansion may multiply the input at most this much once it passes the threshold.
constexpr float MaxEntityAmplification = 20.0f;
constexpr unsigned long long EntityActivationBytes = 4u << 20;

// Parse state shared by the callbacks.
struct TreeBuilder {
  XML_Parser parser;
  XmlDocument* document;
  std::vector<XmlNode*> open;   // open elements, innermost last
  XmlNode* cdata;               // the character-data section being read, or nullptr
  size_t nodes;                 // nodes made so far
  size_t textBytes;             // name and text bytes kept so far
  bool overLimit;               // a limit was broken; the parse was stopped
};

void StopForLimit(TreeBuilder& b) {
  if (!b.overLimit) XML_StopParser(b.parser, XML_FALSE);
  b.overLimit = true;
}

// Counts kept bytes; false (and the parse stopped) past the limit.
bool KeepBytes(TreeBuilder& b, size_t bytes) {
  b.textBytes += bytes;
  if (b.textBytes > MaxXmlTextBytes) StopForLimit(b);
  return !b.overLimit;
}

// A new node at the current position, or nullptr past the node limit.
XmlNode* AddNode(TreeBuilder& b, XmlNodeKind kind) {
  if (b.overLimit) return nullptr;
  if (++b.nodes > MaxXmlNodes) {
    StopForLimit(b);
    return nullptr;
  }
  std::vector<XmlNode>& siblings = b.open.empty() ? b.document->top : b.open.back()->children;
  siblings.emplace_back();
  siblings.back().kind = kind;
  return &siblings.back();
}

void XMLCALL OnStartElement(void* user, const XML_Char* name, const XML_Char**) {
  TreeBuilder& b = *static_cast<TreeBuilder*>(user);
  if (static_cast<int>(b.open.size()) >= MaxXmlDepth) {
    StopForLimit(b);
    return;
  }
  bool atTop = b.open.empty();
  XmlNode* node = AddNode(b, XmlElement);
  if (!node) return;
  size_t length = std::strlen(name);
  if (!KeepBytes(b, length)) return;
  node->name.assign(name, length);
  if (atTop) b.document->root = static_cast<int>(b.document->top.size()) - 1;
  b.open.push_back(node);
}

void XMLCALL OnEndElement(void* user, const XML_Char*) {
  TreeBuilder& b = *static_cast<TreeBuilder*>(user);
  if (!b.open.empty()) b.open.pop_back();
}

void XMLCALL OnCharacterData(void* user, const XML_Char* text, int length) {
  TreeBuilder& b = *static_cast<TreeBuilder*>(user);
  XmlNode* target = b.cdata ? b.cdata : (b.open.empty() ? nullptr : b.open.back());
  if (!target || !KeepBytes(b, static_cast<size_t>(length))) return;
  target->text.append(text, static_cast<size_t>(length));
}

void XMLCALL OnComment(void* user, const XML_Char* text) {
  TreeBuilder& b = *static_cast<TreeBuilder*>(user);
  XmlNode* node = AddNode(b, XmlComment);
  size_t length = std::strlen(text);
  if (node && KeepBytes(b, length)) node->text.assign(text, length);
}

void XMLCALL OnProcessingInstruction(void* user, const XML_Char* target, const XML_Char* data) {
  TreeBuilder& b = *static_cast<TreeBuilder*>(user);
  XmlNode* node = AddNode(b, XmlProcessingInstruction);
  size_t targetLength = std::strlen(target);
  size_t dataLength = std::strlen(data);
  if (!node || !KeepBytes(b, targetLength + dataLength)) return;
  node->name.assign(target, targetLength);
  node->text.assign(data, dataLength);
}

void XMLCALL OnStartCData(void* user) {
  TreeBuilder& b = *static_cast<TreeBuilder*>(user);
  b.cdata = AddNode(b, XmlCData);
}

void XMLCALL OnEndCData(void* user) { static_cast<TreeBuilder*>(user)->cdata = nullptr; }

void XMLCALL OnStartDocumentType(void* user, const XML_Char* name, const XML_Char*,
                                 const XML_Char*, int) {
  TreeBuilder& b = *static_cast<TreeBuilder*>(user);
  XmlNode* node = AddNode(b, XmlDocumentType);
  size_t length = std::strlen(name);
  if (node && KeepBytes(b, length)) node->name.assign(name, length);
}

}  // namespace

bool ParseXml(const unsigned char* data, size_t size, XmlDocument& document) {
  document = XmlDocument();
  if (size > MaxXmlBytes || size > static_cast<size_t>(INT_MAX)) return false;
  XML_Parser parser = XML_ParserCreate(nullptr);
  if (!parser) return false;
  TreeBuilder builder{parser, &document, {}, nullptr, 0, 0, false};
  XML_SetUserData(parser, &builder);
  XML_SetElementHandler(parser, OnStartElement, OnEndElement);
  XML_SetCharacterDataHandler(parser, OnCharacterData);
  XML_SetCommentHandler(parser, OnComment);
  XML_SetProcessingInstructionHandler(parser, OnProcessingInstruction);
  XML_SetCdataSectionHandler(parser, OnStartCData, OnEndCData);
  XML_SetStartDoctypeDeclHandler(parser, OnStartDocumentType);
  XML_SetParamEntityParsing(parser, XML_PARAM_ENTITY_PARSING_NEVER);
  XML_SetBillionLaughsAttackProtectionMaximumAmplification(parser, MaxEntityAmplification);
  XML_SetBillionLaughsAttackProtectionActivationThreshold(parser, EntityActivationBytes);
  XML_Status status = XML_Parse(parser, reinterpret_cast<const char*>(data),
                                static_cast<int>(size), XML_TRUE);
  // Input that is well formed up to its end but never opens an element has no root.
  bool withoutElement = status != XML_STATUS_OK &&
                        XML_GetErrorCode(parser) == XML_ERROR_NO_ELEMENTS && document.root < 0;
  XML_ParserFree(parser);
  bool ok = (status == XML_STATUS_OK || withoutElement) && !builder.overLimit;
  if (!ok) document = XmlDocument();
  return ok;
}
