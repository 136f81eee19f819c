// Base of the editor's settings objects: a stream form, and assignment by
// writing the source into memory and reading it back.
#pragma once

namespace quarno {

class TStream;

class TLP_Base {
public:
    virtual ~TLP_Base() = default;
    virtual const char* ClassName() const = 0;
    virtual void SaveToStream(TStream& stream) const = 0;
    virtual void LoadFromStream(TStream& stream) = 0;
    // Copies source through its stream form. ELexipad "Cannot assign a %s to
    // %s" (source class, own class) when source is of another class.
    virtual void Assign(const TLP_Base& source);

protected:
    TLP_Base() = default;
    TLP_Base(const TLP_Base&) = default;
    TLP_Base& operator=(const TLP_Base&) = default;
    // Copies through the stream form without checking the class.
    void CopyFrom(const TLP_Base& source);
};

} // namespace quarno
