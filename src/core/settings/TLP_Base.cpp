// Assignment of settings objects through their stream form.
#include "core/settings/TLP_Base.h"

#include "core/base/Exceptions.h"
#include "core/base/StringUtils.h"
#include "core/base/TMemoryStream.h"

#include <typeinfo>

namespace quarno {

void TLP_Base::Assign(const TLP_Base& source) {
    if (typeid(source) != typeid(*this))
        throw ELexipad(Format("Cannot assign a %s to %s", source.ClassName(), ClassName()));
    CopyFrom(source);
}

void TLP_Base::CopyFrom(const TLP_Base& source) {
    if (&source == this) return;
    TMemoryStream memory;
    source.SaveToStream(memory);
    memory.SetPosition(0);
    LoadFromStream(memory);
}

} // namespace quarno
