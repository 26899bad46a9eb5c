#include "TestObjects.h"

#include <GL/glew.h>

TestTexture::TestTexture(int width, int height, int depth)
    : m_name(0), m_width(width), m_height(height), m_depth(depth)
{
    glGenTextures(1, &m_name);
    if (depth > 1) {
        glBindTexture(GL_TEXTURE_3D, m_name);
        glTexImage3D(GL_TEXTURE_3D, 0, GL_RGBA8, width, height, depth, 0, GL_RGBA,
                     GL_UNSIGNED_BYTE, nullptr);
        glTexParameteri(GL_TEXTURE_3D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glBindTexture(GL_TEXTURE_3D, 0);
    } else {
        glBindTexture(GL_TEXTURE_2D, m_name);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     nullptr);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
}

TestTexture::~TestTexture()
{
    glDeleteTextures(1, &m_name);
}

void TestTexture::getSize(int& width, int& height, int& depth) const
{
    width = m_width;
    height = m_height;
    depth = m_depth;
}

void TestMaterial::begin()
{
    ++begins;
    glColor4ub(255, 0, 0, 255);
}

void TestMaterial::end()
{
    ++ends;
    glColor4ub(255, 255, 255, 255);
}
