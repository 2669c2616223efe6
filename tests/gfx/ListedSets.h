// The sprite sets a Sprites.xml lists, as a sprite manager that has read it holds them: the tests
// and the fuzz target find every set through the same lookup the drawing uses.
#pragma once

#include "gfx/GfxSprite.h"
#include "gfx/GfxXml.h"
#include "support/Convert.h"

#include <string>
#include <vector>

// In the file's order; a repeated id stands for the first set with it, as drawing finds it.
inline std::vector<CGfxSpriteSet> ListedSets(const CGfxSprite& sprite, const std::string& spritesXml) {
    vexo::CXMLDocument doc;
    std::vector<CGfxSpriteSet> sets;
    const vexo::CXMLElement& root = gfx_xml::ReadRoot(doc, spritesXml, "sprites", "no sprites", 0);
    for (const vexo::CXMLElement* element : gfx_xml::Children(root, "sprite"))
        if (const CGfxSpriteSet* set = sprite.FindSet(vexo::ToInt(element->Value("id", "0")))) sets.push_back(*set);
    return sets;
}
