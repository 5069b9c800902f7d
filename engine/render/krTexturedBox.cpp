// krTexturedBox: a textured rectangle vertex array, drawn plainly or as a billboard.
#include "render/krTexturedBox.h"

#include "render/krGLBuffers.h"

#include "render/krBillboard.h"

krTexturedBox::krTexturedBox(float width, float height, bool flag, TTextureBoxProjection projection)
    : krVertexArray(GL_TRIANGLES), width(width), height(height), flag(flag), projection(projection)
{
    const float w = width, h = height;
    AppendVertex(w, 0, 0);
    AppendVertex(0, 0, 0);
    AppendVertex(0, h, 0);
    AppendVertex(0, h, 0);
    AppendVertex(w, h, 0);
    AppendVertex(w, 0, 0);
    if (projection == tbpNormal)
    {
        AppendTexCoord(1, 0);
        AppendTexCoord(0, 0);
        AppendTexCoord(0, 1);
        AppendTexCoord(0, 1);
        AppendTexCoord(1, 1);
        AppendTexCoord(1, 0);
    }
    else if (projection == tbpFlipped)
    {
        AppendTexCoord(1, 1);
        AppendTexCoord(0, 1);
        AppendTexCoord(0, 0);
        AppendTexCoord(0, 0);
        AppendTexCoord(1, 0);
        AppendTexCoord(1, 1);
    }
    for (int i = 0; i < 6; i++)
    {
        AppendNormal(1, 1, 1);
    }
    CalculateBB();
    CreateVBO();
}

krTexturedBox* krTexturedBox::Create(float width, float height, bool flag,
                                     TTextureBoxProjection projection)
{
    return new krTexturedBox(width, height, flag, projection);
}

krTexturedBox::~krTexturedBox()
{
    Clear();
}

float krTexturedBox::GetWidth() const
{
    return width;
}

float krTexturedBox::GetHeight() const
{
    return height;
}

void krTexturedBox::Draw2(const float* cameraPosition, float angle)
{
    if (vertexBuffer == 0 || !cameraPosition)
    {
        return;
    }
    glBindTexture(GL_TEXTURE_2D, textureId);
    glEnable(GL_TEXTURE_2D);
    glEnableClientState(GL_VERTEX_ARRAY);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glVertexPointer(3, GL_FLOAT, 0, nullptr);
    // A box without texture coordinates or normals draws without those lists.
    if (texCoordBuffer != 0)
    {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glBindBuffer(GL_ARRAY_BUFFER, texCoordBuffer);
        glTexCoordPointer(2, GL_FLOAT, 0, nullptr);
    }
    if (normalBuffer != 0)
    {
        glEnableClientState(GL_NORMAL_ARRAY);
        glBindBuffer(GL_ARRAY_BUFFER, normalBuffer);
        glNormalPointer(GL_FLOAT, 0, nullptr);
    }
    glPushMatrix();
    glTranslatef(position[0], position[1], position[2]);
    glScalef(scale, scale, scale);
    glColor4f(color[0], color[1], color[2], color[3]);
    l3dBillboardSphericalBegin(cameraPosition, position);
    glRotatef(angle, 0, 0, 1);
    glDrawArrays(GL_TRIANGLES, 0, GLsizei(vertexCount));
    glPopMatrix();
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisable(GL_TEXTURE_2D);
}
