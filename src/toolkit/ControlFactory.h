#pragma once

#include <functional>
#include <map>
#include <string>

class CControlUI;

// Creates controls by class name: the toolkit's own (by skin tag: "Button", "VerticalLayout"
// ...) and the program's, registered with RegistControl. A registered name "CFooUI" also
// answers the skin tag "Foo". Names compare without regard to ASCII case.
class CControlFactory {
public:
    using CreateClass = std::function<CControlUI*()>;

    static CControlFactory* GetInstance();

    void RegistControl(const std::string& name, CreateClass create);
    // A new control of a toolkit tag or a registered name; null when unknown.
    CControlUI* CreateControl(const std::string& name) const;
    // A new toolkit control for a skin tag; null when the tag is not the toolkit's.
    CControlUI* CreateBuiltIn(const std::string& tag) const;
    // A new control of a registered class (name, or "C" + name + "UI"); null when unknown.
    CControlUI* CreateRegistered(const std::string& name) const;

private:
    CControlFactory();

    std::map<std::string, CreateClass> m_builtIn;
    std::map<std::string, CreateClass> m_registered;
};
