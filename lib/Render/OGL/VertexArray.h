#pragma once

#include <cstddef>
#include <memory>

#include "Render/I_VertexArray.h"
#include "Util/NonCopyable.h"

namespace OGL {

// Vertex data in client memory, bound as OpenGL client arrays. Up to seven
// interleaved components per vertex (index 0 position, 1 texture
// coordinates, 2 colour, 3 to 6 extra attributes 0 to 3), each placed
// right behind the components defined before it. Owns its bytes.
class VertexArray : public Render::I_VertexArray, Util::NonCopyable<VertexArray> {
public:
    static constexpr int COMPONENT_COUNT = 7;

    // One interleaved component; count 0 when not in use. offset is the
    // byte offset inside a vertex.
    struct Component {
        int count;
        unsigned int type;
        std::size_t offset;
    };

    // A negative size counts as 0: no storage.
    explicit VertexArray(int size);
    ~VertexArray() override;

    int getBufferSize() const override;
    void defineVertexInfo(int count, DataType type) override;
    void defineTextureInfo(int count, DataType type) override;
    void defineColorInfo(int count, DataType type) override;
    void defineAttrInfo(int count, DataType type) override;
    void defineAttrInfo(int index, int count, DataType type) override;
    void setUseVertexInfoAsTextureInfo(bool use) override;

    void getVertices(float* destination, int count, int offset) const override;
    void putVertices(float const* source, int count, int offset) override;
    // Refused (nothing copied) when the range is not inside the array.
    void getData(void* destination, int bytes, int offset) const override;
    void putData(void const* source, int bytes, int offset) override;

    void beginUsing() const override;
    void endUsing() const override;

    // Places the component at index behind all defined so far and
    // recomputes the stride. A type outside DT_FLOAT..DT_SHORT ends the
    // program; an index outside 0 to 6 is ignored.
    void setDataInfo(int index, int count, DataType type);

    unsigned int getTarget() const { return m_target; }
    unsigned int getBufferId() const { return m_bufferId; }
    int getStride() const { return m_stride; }
    const Component& getComponent(int index) const { return m_components[index]; }
    bool getUseVertexInfoAsTextureInfo() const { return m_useVertexAsTexture; }
    // What OpenGL's pointer calls take for the component: an address in
    // client memory, or a byte offset into the bound buffer object.
    const void* componentPointer(int index) const;

protected:
    unsigned int m_target;
    unsigned int m_bufferId;
    int m_size;
    std::unique_ptr<unsigned char[]> m_data;

private:
    void recomputeStride();
    bool rangeInside(int bytes, int offset) const;

    int m_stride;
    Component m_components[COMPONENT_COUNT];
    bool m_useVertexAsTexture;
};

} // namespace OGL
