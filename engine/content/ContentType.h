#pragma once

#include <irrlicht/irrString.h>

// Four characters packed with the first one in the lowest byte ("snod" is 0x646F6E73).
using ContentType = unsigned;

constexpr ContentType makeContentType(const char (&code)[5])
{
	return static_cast<ContentType>(static_cast<unsigned char>(code[0])) |
	       static_cast<ContentType>(static_cast<unsigned char>(code[1])) << 8 |
	       static_cast<ContentType>(static_cast<unsigned char>(code[2])) << 16 |
	       static_cast<ContentType>(static_cast<unsigned char>(code[3])) << 24;
}

constexpr ContentType ContentTypeTexture = makeContentType("itex");
constexpr ContentType ContentTypeAtlasTexture = makeContentType("atex");
constexpr ContentType ContentTypeAtlasTextureCollection = makeContentType("atxc");
constexpr ContentType ContentTypeImage = makeContentType("imag");
constexpr ContentType ContentTypeSceneNode = makeContentType("snod");
constexpr ContentType ContentTypeFont = makeContentType("font");
constexpr ContentType ContentTypeParticleCollection = makeContentType("prtc");
constexpr ContentType ContentTypeParticleEmitter = makeContentType("pemt");
constexpr ContentType ContentTypeSound = makeContentType("isnd");
constexpr ContentType ContentTypeSoundPack = makeContentType("sndp");

// The code as messages write it: its value in unsigned decimal.
irr::core::stringc contentTypeToText(ContentType type);
