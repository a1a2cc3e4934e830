-- Renders a sine generator, alone or through Brumvale, in a headless Ardour
-- session, and exports the master bus to OUT_DIR/NAME.wav (32-bit float, no dither).
--
--   ardour7-lua -- render.lua SESSION_DIR OUT_DIR NAME FREQUENCY_HZ LEVEL_DB SECONDS [SETTING...]
--
-- SETTING is one of
--   plugin          insert Brumvale after the generator (implied by the others)
--   lv2             insert the stereo LV2 plug-in (by its URI) instead of the VST 3 one
--   preset=NAME     load the plug-in's preset of that name, as Ardour's menu does
--   TITLE=VALUE     set Brumvale's parameter titled TITLE (VST 3: normalised 0..1;
--                   LV2: as the port shows it, in dB for the levels)
--   host-bypass     disable the plug-in from the mixer strip (Ardour's bypass)
-- With no SETTING the generator is rendered alone. The parameter values Ardour
-- shows for the plug-in, after the settings, are written to OUT_DIR/NAME.params
-- as TITLE=VALUE lines.
--
-- render-test.sh runs Ardour's luasession the way ardour7-lua does, with its own
-- data path. SESSION_DIR must not exist yet; OUT_DIR must exist. The Ardour
-- configuration (under $HOME or $XDG_CONFIG_HOME) must unhide the dummy backend,
-- the export preset below must be in an export/ folder on Ardour's data path,
-- timeline-sine.lua among the user's Lua scripts,
-- and the VST 3 scanner must already have cached the plug-in (the LV2 bundle must
-- be on LV2_PATH).
--
-- One export per session and process: in Ardour 7.3 a second SimpleExport in the
-- same process corrupts the heap now and then, and reusing one exports nothing
-- the second time.
--
-- Exits non-zero, with a message, when anything fails.
-- SPDX-License-Identifier: GPL-3.0-or-later

io.stdout:setvbuf("line")

local session_dir, out_dir, name = arg[1], arg[2], arg[3]
local frequency, level_db, seconds = tonumber(arg[4]), tonumber(arg[5]), tonumber(arg[6])
local rate = 48000

-- The "Brumvale test WAV 32-bit float" preset in tests/ardour/export/.
local export_preset = "b1a5e0a4-6c1e-4d56-9f0c-0f5b7e1d2c30"

local function fail(message)
	error("render.lua: " .. message, 0)
end

local function main()
	if not (session_dir and out_dir and name and frequency and level_db and seconds) then
		fail("usage: render.lua SESSION_DIR OUT_DIR NAME FREQUENCY_HZ LEVEL_DB SECONDS [SETTING...]")
	end
	local with_plugin, host_bypass, values = false, false, {}
	local plugin_name, plugin_type, preset = "Brumvale", ARDOUR.PluginType.VST3, nil
	for i = 7, #arg do
		local title, value = string.match(arg[i], "^([%a]+)=(-?[%d.]+)$")
		if arg[i] == "plugin" then
			with_plugin = true
		elseif arg[i] == "lv2" then
			with_plugin, plugin_name, plugin_type = true, "urn:kelmarotte:brumvale:stereo", ARDOUR.PluginType.LV2
		elseif string.match(arg[i], "^preset=") then
			with_plugin, preset = true, string.sub(arg[i], 8)
		elseif arg[i] == "host-bypass" then
			with_plugin, host_bypass = true, true
		elseif title and tonumber(value) then
			with_plugin = true
			values[#values + 1] = { title, tonumber(value) }
		else
			fail("unknown setting '" .. arg[i] .. "'")
		end
	end

	if not AudioEngine:set_backend("None (Dummy)", "", "") then
		fail("cannot select the \"None (Dummy)\" backend (is hide-dummy-backend 0 in the config?)")
	end

	local s = create_session(session_dir, "brumvale-" .. name, rate)
	if not s then
		fail("create_session failed in " .. session_dir)
	end
	if s:nominal_sample_rate() ~= rate then
		fail("session rate is " .. tostring(s:nominal_sample_rate()) .. ", wanted " .. rate)
	end

	local routes = s:new_audio_route(2, 2, nil, 1, "Fuzz",
		ARDOUR.PresentationInfo.Flag.AudioBus, ARDOUR.PresentationInfo.max_order)
	if routes:size() ~= 1 then
		fail("new_audio_route made " .. routes:size() .. " routes")
	end
	local route = routes:front()

	-- The generator: timeline-sine.lua (Frequency in Hz, Gain in dB) writes the same
	-- sine to both channels, the same samples at the same timeline positions.
	local gen = ARDOUR.LuaAPI.new_luaproc(s, "Brumvale Timeline Sine")
	if gen:isnil() then
		fail("Ardour has no \"Brumvale Timeline Sine\" Lua processor (timeline-sine.lua)")
	end
	if route:add_processor_by_index(gen, 0, nil, true) ~= 0 then
		fail("cannot add the generator to the bus")
	end
	if not ARDOUR.LuaAPI.set_processor_param(gen, 0, frequency)
		or not ARDOUR.LuaAPI.set_processor_param(gen, 1, level_db) then
		fail("cannot set the generator's frequency and gain")
	end
	print(string.format("%s: timeline sine %.3f Hz at %.2f dBFS peak", name, frequency, level_db))

	if with_plugin then
		local fx = ARDOUR.LuaAPI.new_plugin(s, plugin_name, plugin_type, "")
		if fx:isnil() then
			fail("Ardour cannot instantiate the plug-in \"" .. plugin_name .. "\" (not scanned?)")
		end
		if route:add_processor_by_index(fx, 1, nil, true) ~= 0 then
			fail("cannot add Brumvale after the generator")
		end
		local insert = fx:to_insert()
		local plug = insert:plugin(0)
		print("plug-in: " .. fx:display_name() .. ", unique id " .. plug:unique_id())

		-- Ardour's set_processor_param(p, N, v) addresses the N-th control input,
		-- counted in the order of the plug-in's parameter list.
		local control_index, titles = {}, {}
		local n = 0
		for j = 0, plug:parameter_count() - 1 do
			if plug:parameter_is_control(j) and plug:parameter_is_input(j) then
				local label = plug:parameter_label(j)
				local _, pd = plug:get_parameter_descriptor(j, ARDOUR.ParameterDescriptor())
				local d = pd[2]
				print(string.format("  control input %d = plug-in parameter %d \"%s\": range %g..%g,"
					.. " default %g, toggled %s, value on insertion %g", n, j, label, d.lower,
					d.upper, d.normal, tostring(d.toggled), ARDOUR.LuaAPI.get_processor_param(fx, n)))
				control_index[label] = n
				titles[#titles + 1] = label
				n = n + 1
			end
		end

		if preset then
			local record = plug:preset_by_label(preset)
			if not record then
				fail("Ardour lists no preset \"" .. preset .. "\"")
			end
			if not plug:load_preset(record) then
				fail("Ardour does not load the preset \"" .. preset .. "\" (" .. record.uri .. ")")
			end
			print("  loaded the preset " .. preset .. " (" .. record.uri .. ")")
		end

		for _, v in ipairs(values) do
			local title, value = v[1], v[2]
			local index = control_index[title]
			if index == nil then
				fail("Brumvale has no control input titled \"" .. title .. "\"")
			end
			if not ARDOUR.LuaAPI.set_processor_param(fx, index, value) then
				fail("cannot set " .. title .. " to " .. value)
			end
			local now = ARDOUR.LuaAPI.get_processor_param(fx, index)
			if math.abs(now - value) > 1e-6 then
				fail(string.format("%s reads back %g after setting %g", title, now, value))
			end
			print(string.format("  set %s (control input %d) to %g", title, index, value))
		end

		if host_bypass then
			-- Ardour drives the plug-in's designated bypass parameter, if it has one.
			insert:enable(false)
			print("  host bypass: enabled() = " .. tostring(insert:enabled())
				.. ", active() = " .. tostring(fx:active()))
		end

		local f = io.open(out_dir .. "/" .. name .. ".params", "w")
		for i, title in ipairs(titles) do
			f:write(string.format("%s=%.9g\n", title, ARDOUR.LuaAPI.get_processor_param(fx, i - 1)))
		end
		f:close()
	end

	local e = s:simple_export()
	e:set_name(name)
	e:set_folder(out_dir)
	e:set_range(0, math.floor(seconds * rate))
	if not e:set_preset(export_preset) then
		fail("export preset " .. export_preset .. " not found")
	end
	if not e:check_outputs() then
		fail("export of " .. name .. ": nothing to export")
	end
	if not e:run_export() then
		fail("export of " .. name .. " failed")
	end
	print("exported " .. name .. ".wav")
end

local ok, err = pcall(main)
pcall(close_session)
if not ok then
	print("ERROR: " .. tostring(err))
	os.exit(1)
end
print("render.lua: done")
os.exit(0)
