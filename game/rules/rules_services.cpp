#include "game/rules/rules_services.h"

namespace {

void IgnoreNumber(int) {}
void IgnoreMessage(const std::string&, const std::string&) {}
void IgnoreCall() {}

constexpr RulesServices UnboundServices = {
    IgnoreNumber, IgnoreNumber, IgnoreMessage, IgnoreCall, IgnoreCall, IgnoreCall,
    IgnoreCall,   IgnoreNumber, IgnoreCall,    IgnoreCall, IgnoreCall,
};

}  // namespace

RulesServices gRulesServices = UnboundServices;

void ResetRulesServices() { gRulesServices = UnboundServices; }
