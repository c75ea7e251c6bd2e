// A small, strict XML reader for checking generated pictures: elements,
// attributes and character data, with the five predefined entities and
// numeric references. Anything malformed is an error.
#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

struct XmlNode {
    std::string name;
    std::map<std::string, std::string> attributes;
    std::string text;  // character data directly inside, references resolved
    std::vector<std::unique_ptr<XmlNode>> children;

    std::string Attr(const std::string& key) const {
        auto it = attributes.find(key);
        return it == attributes.end() ? std::string() : it->second;
    }
    double Number(const std::string& key) const { return std::stod(Attr(key)); }
    // Every node below this one (depth first) named `name` with class `cls` (any for empty).
    std::vector<const XmlNode*> FindAll(const std::string& name, const std::string& cls = {}) const;
};

// The root element, or null with a message in `error`.
std::unique_ptr<XmlNode> ParseXml(const std::string& text, std::string& error);
