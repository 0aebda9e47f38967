// CqxBase and CqxBaseObject: the defaults of objects without slots, which
// fail every operation.
#include <new>

#include "host/objstore.h"

void* CqxBaseMem::operator new(std::size_t size) { return ::operator new(size); }

void CqxBaseMem::operator delete(void* memory) noexcept { ::operator delete(memory); }

CqxBase::~CqxBase() = default;

int CqxBase::Exists() { return 0; }
int CqxBase::Delete() { return 0; }
int CqxBase::IsValid() const { return 0; }
std::uint32_t CqxBase::UserInstance() const { return 0; }

int CqxBase::GetValue(std::string_view, CqxSlot&) { return 0; }
int CqxBase::GetValue(std::string_view, std::string&) { return 0; }
int CqxBase::GetValue(std::string_view, double&, std::string&) { return 0; }
int CqxBase::SetValue(std::string_view, double, std::string_view, int) { return 0; }
int CqxBase::GetValueWithInheritance(std::string_view, CqxSlot&, const void*) { return 0; }
int CqxBase::GetValueWithInheritance(std::string_view, std::string&, const void*) { return 0; }
int CqxBase::GetValueWithInheritance(std::string_view, double&, std::string&, const void*) { return 0; }

std::string CqxBase::ProjectName() const { return {}; }
std::string CqxBase::ScenarioName() const { return {}; }
std::string CqxBase::Model() const { return {}; }

std::string CqxBaseObject::ObjectName() const { return {}; }
int CqxBaseObject::ClassId() const { return 0; }
