#pragma once

#include <memory>

#include "Render/I_VertexArray.h"
#include "Render/OGL/VertexArray.h"
#include "Util/NonCopyable.h"

namespace OGL {

// A vertex array whose components are bound as generic vertex attributes
// for shaders: position is attribute 0, texture coordinates 1, colour 2,
// the extra attributes 3 to 6. Owns the wrapped array, which holds the
// data and the layout.
class AttributeArray : public Render::I_VertexArray, Util::NonCopyable<AttributeArray> {
public:
    // Takes ownership of array.
    explicit AttributeArray(VertexArray* array);
    ~AttributeArray() override;

    int getBufferSize() const override;
    void defineVertexInfo(int count, DataType type) override;
    void defineTextureInfo(int count, DataType type) override;
    void defineColorInfo(int count, DataType type) override;
    void defineAttrInfo(int count, DataType type) override;
    void defineAttrInfo(int index, int count, DataType type) override;
    // Kept for the wrapped array; has no effect on attribute binding.
    void setUseVertexInfoAsTextureInfo(bool use) override;

    void getVertices(float* destination, int count, int offset) const override;
    void putVertices(float const* source, int count, int offset) override;
    void getData(void* destination, int bytes, int offset) const override;
    void putData(void const* source, int bytes, int offset) override;

    void beginUsing() const override;
    void endUsing() const override;

private:
    std::unique_ptr<VertexArray> m_array;
};

} // namespace OGL
