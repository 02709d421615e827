#include "NodeMath.h"

#include <array>
#include <cmath>

using namespace irr;

video::SColor multiplyColors(video::SColor a, video::SColor b)
{
	// Double precision keeps 255 x 255 at 255.
	auto channel = [](u32 x, u32 y) { return static_cast<u32>(static_cast<double>(x * y) * 0.003921569); };
	return video::SColor(channel(a.getAlpha(), b.getAlpha()), channel(a.getRed(), b.getRed()),
	                     channel(a.getGreen(), b.getGreen()), channel(a.getBlue(), b.getBlue()));
}

core::vector3df getMatrixScale(const core::matrix4& m)
{
	auto nearZero = [](f32 v) { return std::fabs(v) <= 1e-6f; };
	if (nearZero(m[1]) && nearZero(m[2]) && nearZero(m[4]) && nearZero(m[6]) && nearZero(m[8]) && nearZero(m[9]))
		return core::vector3df(m[0], m[5], m[10]);
	auto rowLength = [&m](int r) { return std::sqrt(m[r] * m[r] + m[r + 1] * m[r + 1] + m[r + 2] * m[r + 2]); };
	return core::vector3df(rowLength(0), rowLength(4), rowLength(8));
}

const core::matrix4& identityMatrix()
{
	static const core::matrix4 identity;
	return identity;
}

namespace
{
const std::array<f32, 360>& sineTable()
{
	static const std::array<f32, 360> table = []
	{
		std::array<f32, 360> t{};
		for (int i = 0; i < 360; ++i)
			t[i] = static_cast<f32>(std::sin(i * 3.14159265358979323846 / 180.0));
		// Exact values at the quarter turns keep axis-aligned rotations exact.
		t[0] = 0.0f;
		t[90] = 1.0f;
		t[180] = 0.0f;
		t[270] = -1.0f;
		return t;
	}();
	return table;
}

int wrapDegrees(long long degrees)
{
	long long a = degrees % 360;
	return static_cast<int>(a < 0 ? a + 360 : a);
}
} // namespace

core::vector2df rotateByWholeDegrees(const core::vector2df& v, int degrees)
{
	const auto& table = sineTable();
	f32 s = table[wrapDegrees(degrees)];
	f32 c = table[wrapDegrees(static_cast<long long>(degrees) + 90)];
	return core::vector2df(v.X * c - v.Y * s, v.X * s + v.Y * c);
}

bool isNearIdentity(const core::matrix4& m)
{
	for (int i = 0; i < 16; ++i)
	{
		f32 expected = (i % 5 == 0) ? 1.0f : 0.0f;
		if (std::fabs(m[i] - expected) > 1e-6f)
			return false;
	}
	return true;
}

void composeTransform2d(const core::matrix4& p, const core::matrix4& r, core::matrix4& out)
{
	if (isNearIdentity(p))
	{
		out = r;
		return;
	}
	if (isNearIdentity(r))
	{
		out = p;
		return;
	}
	const f32 m0 = p[0] * r[0] + p[4] * r[1];
	const f32 m1 = p[1] * r[0] + p[5] * r[1];
	const f32 m4 = p[0] * r[4] + p[4] * r[5];
	const f32 m5 = p[1] * r[4] + p[5] * r[5];
	const f32 m12 = p[0] * r[12] + p[4] * r[13] + p[12];
	const f32 m13 = p[1] * r[12] + p[5] * r[13] + p[13];
	out[0] = m0;
	out[1] = m1;
	out[4] = m4;
	out[5] = m5;
	out[12] = m12;
	out[13] = m13;
	out[14] = p[14] + r[14];
}

bool inverseTransformPoint2d(const core::matrix4& m, core::vector2df& point)
{
	const f64 det = static_cast<f64>(m[0]) * m[5] - static_cast<f64>(m[4]) * m[1];
	if (std::fabs(det) < 1e-12)
		return false;
	const f64 x = point.X - m[12];
	const f64 y = point.Y - m[13];
	point.X = static_cast<f32>((m[5] * x - m[4] * y) / det);
	point.Y = static_cast<f32>((m[0] * y - m[1] * x) / det);
	return true;
}
