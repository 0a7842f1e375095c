#include "render/BitmapRaster.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include "render/LightBitmap.h"

void DrawBitmapPixels(const TDIBSection& bitmap, int32_t x, int32_t y) {
    glRasterPos2f(float(x), float(y));
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glDisable(GL_TEXTURE_2D);
    glDrawPixels(bitmap.Width(), bitmap.Height(), GL_BGRA, GL_UNSIGNED_BYTE, bitmap.Bits());
}
