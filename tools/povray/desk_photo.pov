// The black-and-white photograph that hangs framed on the wall of the desk
// scene: bicycles leaning on a railing beside a canal, houses on the far
// bank. Rendered first by render_desk.sh into desk_photo.png, which
// desk.pov maps onto the print. Greys only; hazy, like an old print.

#version 3.7;
global_settings { assumed_gamma 1.0 }

camera {
  location <0.3, 1.35, -3.2>
  look_at <0.5, 1.9, 4>
  angle 62
  right x * 0.95
}

light_source { <-30, 40, -20> color rgb 1.25 }
light_source { <20, 30, -30> color rgb 0.35 shadowless }
sky_sphere { pigment { gradient y color_map { [0 color rgb 0.78] [1 color rgb 0.55] } } }
fog { distance 110 color rgb 0.72 }

#macro Grey(L) pigment { color rgb L } finish { ambient 0.06 diffuse 0.85 } #end

// Quay pavement in the foreground, canal water beyond the railing.
box { <-20, -0.5, -10>, <20, 0, 1.2> Grey(0.45) normal { bumps 0.3 scale 0.15 } }
plane { y, -0.8
  pigment { color rgb 0.32 }
  normal { waves 0.4 frequency 3 scale <2, 1, 0.4> turbulence 0.3 }
  finish { ambient 0.1 diffuse 0.5 reflection 0.45 }
}
// Far bank: quay wall and a row of narrow gabled houses.
box { <-40, -0.8, 22>, <40, 0.3, 24> Grey(0.4) }
#for (I, -12, 12)
  #local W = 2.6 + mod(abs(I) * 0.37, 0.9);
  #local H = 7 + mod(abs(I) * 1.7, 4);
  #local L = 0.30 + mod(abs(I) * 0.13, 0.3);
  union {
    box { <0, 0, 0>, <W, H, 4> }
    prism { linear_sweep linear_spline 0, 4, 4, <0, H>, <W, H>, <W / 2, H + 2.2>, <0, H> rotate -x * 90 translate z * 4 }
    // rows of windows
    #for (R, 0, 2)
      #for (C, 0, 1)
        box { <0.4 + C * (W - 1.2) / 1.0 * 0.5, 1.5 + R * 2.2, -0.05>, <0.9 + C * (W - 1.2) * 0.5, 2.7 + R * 2.2, 0> Grey(0.12) }
      #end
    #end
    Grey(L)
    translate <I * 3.2 - 1, 0.3, 24>
  }
#end
// Trees along the far quay.
#for (I, -6, 6)
  union {
    cylinder { <0, 0, 0>, <0, 3.5, 0>, 0.15 Grey(0.15) }
    sphere { <0, 5, 0>, 2.2 scale <1, 1.3, 1> Grey(0.16) normal { bumps 0.8 scale 0.4 } }
    translate <I * 6.5 + 1.5, 0.3, 21>
  }
#end

// Railing along the near quay.
#declare RailZ = 1.0;
union {
  cylinder { <-20, 1.0, RailZ>, <20, 1.0, RailZ>, 0.04 }
  cylinder { <-20, 0.5, RailZ>, <20, 0.5, RailZ>, 0.03 }
  #for (I, -20, 20)
    cylinder { <I * 1.2, 0, RailZ>, <I * 1.2, 1.0, RailZ>, 0.035 }
  #end
  Grey(0.08)
}

// A bicycle leaning on the railing: wheels, diamond frame, bars and saddle.
#macro Bicycle(Shade)
  #local R = 0.34;
  union {
    torus { R, 0.025 rotate x * 90 translate <-0.52, R, 0> }
    torus { R, 0.025 rotate x * 90 translate < 0.52, R, 0> }
    torus { R - 0.03, 0.008 rotate x * 90 translate <-0.52, R, 0> Grey(0.5) }
    torus { R - 0.03, 0.008 rotate x * 90 translate < 0.52, R, 0> Grey(0.5) }
    cylinder { <-0.52, R, 0>, <-0.1, R, 0>, 0.018 }
    cylinder { <-0.1, R, 0>, <-0.2, 0.8, 0>, 0.02 }
    cylinder { <-0.52, R, 0>, <-0.2, 0.8, 0>, 0.018 }
    cylinder { <-0.2, 0.78, 0>, <0.38, 0.8, 0>, 0.02 }
    cylinder { <-0.1, R, 0>, <0.38, 0.8, 0>, 0.022 }
    cylinder { <0.52, R, 0>, <0.36, 0.95, 0>, 0.02 }
    cylinder { <0.36, 0.95, -0.25>, <0.36, 0.95, 0.25>, 0.018 }
    box { <-0.3, 0.84, -0.05>, <-0.1, 0.88, 0.05> }
    Grey(Shade)
  }
#end
object { Bicycle(0.1) rotate y * 4 translate <-1.6, 0, 0.6> }
object { Bicycle(0.18) rotate y * -6 translate <-0.2, 0, 0.65> }
object { Bicycle(0.06) rotate y * 3 translate <1.3, 0, 0.55> }
object { Bicycle(0.25) rotate y * 180 translate <2.7, 0, 0.7> }
