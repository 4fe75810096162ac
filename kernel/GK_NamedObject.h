#pragma once

#include <kernel/GK_Object.h>

#include <string>

// Name and comments of a library model. Texts are GBK byte strings, kept
// byte for byte.
class GK_NamedObject : public GK_Object {
public:
    const std::string& GetName() const { return m_name; }
    const std::string& GetComments() const { return m_comments; }
    void SetName(std::string name) { m_name = std::move(name); }
    void SetComments(std::string comments) { m_comments = std::move(comments); }

protected:
    GK_NamedObject() = default;
    GK_NamedObject(const GK_NamedObject&) = default;
    GK_NamedObject& operator=(const GK_NamedObject&) = default;

private:
    std::string m_name;
    std::string m_comments;
};

// A part let into a door (hinge or lock core): a named model with a
// thickness. A new part has thickness 0.
class GK_Part : public GK_NamedObject {
public:
    double GetThick() const { return m_thick; }
    void SetThick(double thick) { m_thick = thick; }

protected:
    GK_Part() = default;
    GK_Part(const GK_Part&) = default;
    GK_Part& operator=(const GK_Part&) = default;

private:
    double m_thick = 0.0;
};
