#include "SettingsSnapshot.h"

#include "CAppSettings.h"

namespace skyloom {

BackgroundSettings BackgroundOf(const CAppSettings& s) {
    BackgroundSettings b;
    b.type = s.m_nBackgroundType;
    b.solidColor = s.m_crSolidColor;
    b.gradientStart = s.m_crGradientStart;
    b.gradientEnd = s.m_crGradientEnd;
    b.gradientDirection = s.m_nGradientDirection;
    b.gradientTransform = s.m_nGradientTransform;
    b.image = s.GetBackgroundImage();
    b.imageStyle = s.m_nBackgroundImageStyle;
    return b;
}

RenderOptions RenderOptionsOf(const CAppSettings& s) {
    RenderOptions o;
    o.background = BackgroundOf(s);
    o.portraitPosition = s.m_nPortraitPosition;
    o.portraitScale = s.m_nPortraitScale;
    o.portraitTransparency = s.m_nPortraitTransparency;
    o.portraitGrayscale = s.m_bPortraitGrayscale;
    o.landscapePosition = s.m_nLandscapePosition;
    o.landscapeScale = s.m_nLandscapeScale;
    o.landscapeTransparency = s.m_nLandscapeTransparency;
    o.landscapeGrayscale = s.m_bLandscapeGrayscale;
    o.glassReflection = s.m_bGlassReflection;
    return o;
}

} // namespace skyloom
